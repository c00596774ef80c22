// The sanitizer settings every fuzz target starts with (ASAN_OPTIONS can still change
// them). A single host allocation beyond 1 GiB fails, as on a host without the memory,
// instead of stopping the fuzzer; the quarantine of freed blocks is kept small, since
// every run makes and frees a whole machine and fresh memory for each costs most of a run.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=1024:quarantine_size_mb=16";
}
