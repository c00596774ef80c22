// The sanitizer settings every fuzz target starts with (ASAN_OPTIONS can still change
// them). The quarantine of freed blocks is kept small, since every run makes and frees a
// whole machine and fresh memory for each costs most of a run.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16";
}
