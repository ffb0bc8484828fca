// Emscripten's C library starts with an environment of its own: give the
// test programs that of the Node process instead, so that GoogleTest reads
// its settings (GTEST_TOTAL_SHARDS, GTEST_SHARD_INDEX, ...) as it does natively.
Module['preRun'] = [function () { Object.assign(ENV, process.env); }];
