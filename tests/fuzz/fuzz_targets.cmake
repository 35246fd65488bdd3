# One libFuzzer target per conversion; each NAME has NAME_fuzz.cpp and a
# seed corpus in corpus/NAME.
set(ORLO_FUZZ_TARGETS strict_value lenient_value number_text integer_text format_pattern)
