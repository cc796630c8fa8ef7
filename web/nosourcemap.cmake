# cmake -DIN=FILE -DOUT=FILE -P nosourcemap.cmake: copies a script without its source map
# comment, which only a browser's developer tools would follow (to a file the site leaves out).
file(READ ${IN} text)
string(REGEX REPLACE "\n//# sourceMappingURL=[^\n]*" "" text "${text}")
file(WRITE ${OUT} "${text}")
