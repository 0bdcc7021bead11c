// Replaced by the file store.
