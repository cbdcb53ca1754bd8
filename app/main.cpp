#include "app/program.h"

int main(int argc, char** argv) {
    return vintrale::startRoutine(argc, argv);
}
