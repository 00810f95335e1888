// The sanitizers read their options from here, so that every run of a test program (also the test
// discovery that lists the tests) stops at the first fault and ignores the third-party leaks.
extern "C" const char* __lsan_default_options() {
    return "suppressions=" VELMARO_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

extern "C" const char* __asan_default_options() {
    return "detect_leaks=1:strict_string_checks=1";
}

extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}
