// What the C library does in the page (emcc --js-library).
mergeInto(LibraryManager.library, {
  // fsync: the data folder lives in memory and reaches the browser's storage (IndexedDB)
  // when a save is complete, in one transaction, by the keeper in src/web/webmain.cpp. A
  // sync at every fsync would make every step of a save wait on the storage, and could not
  // be waited for while the page itself calls into the game (an upload).
  fd_sync: function (fd) {
    return 0;
  },
});
