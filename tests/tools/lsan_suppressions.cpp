// The offscreen platform plugin never frees its screen; the leak checker of the
// sanitizer build would fail every widget test at exit for it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libqoffscreen.so\n"; }
