// The translation unit the shared precompiled Qt header is made for.
