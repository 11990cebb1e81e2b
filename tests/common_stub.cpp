// Keeps the test helper library non-empty while tests/common has no sources.
