# One libFuzzer target per conversion, and one for the registration reader;
# each NAME has NAME_fuzz.cpp and a seed corpus in corpus/NAME, and its
# dictionary is NAME.dict where there is one, number.dict otherwise.
set(ORLO_FUZZ_TARGETS strict_value lenient_value number_text integer_text format_pattern registration)
