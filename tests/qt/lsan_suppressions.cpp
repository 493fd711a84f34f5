// Read by LeakSanitizer at start-up in sanitizer builds; unused otherwise.
// fontconfig keeps its caches until the process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
