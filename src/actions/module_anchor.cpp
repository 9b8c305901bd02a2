// custom.so / custom.dll take every object of custom_lib; this file gives the module target a
// source of its own, as CMake requires one.
