// The host of the tests' precompiled header; it has no code of its own.
