#pragma once
// Death: the last messages, a record appended to dead.txt, a key, the end.
[[noreturn]] void dead();
