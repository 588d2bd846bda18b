// Built into every program of a sanitizer build: how the sanitizers behave
// unless ASAN_OPTIONS, UBSAN_OPTIONS or LSAN_OPTIONS say otherwise.

extern "C" {

const char* __asan_default_options()
{
    // Leaks are looked for at exit; a finding ends the program with an error.
    // Nothing the game reads may make it ask for a gigabyte at once.
    return "detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1"
           ":strict_string_checks=1:check_initialization_order=1:max_allocation_size_mb=1024";
}

const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

const char* __lsan_default_options()
{
    return "suppressions=" TAVORO_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

}  // extern "C"
