// A shared library that loads fine but lacks the skin engine's entry point: what a wrong file
// of the engine's name looks like to the program.
extern "C" __attribute__((visibility("default"))) int notTheEntryPoint() {
    return 0;
}
