// Build step: turns the skin's style sheet into skin data (header + sheet) for the program to
// carry. Refuses a sheet that the engine would refuse, so a broken skin fails the build instead
// of a start.

#include "skin/skin_format.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << (argc > 0 ? argv[0] : "pack_skin_data")
                  << " <style sheet> <skin data>\n";
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    const std::string sheet{std::istreambuf_iterator<char>(input),
                            std::istreambuf_iterator<char>()};
    if (!input.good() && !input.eof()) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    const std::string packed = vintrale::packSkinData(sheet);
    const auto* bytes = reinterpret_cast<const unsigned char*>(packed.data());
    if (packed.size() > static_cast<std::size_t>(vintrale::maxSkinDataSize) ||
        vintrale::readSkinData(bytes, static_cast<int>(packed.size()), "").status !=
            vintrale::SkinStatus::attached) {
        std::cerr << argv[1] << ": not a usable skin (too large, a zero byte, or not UTF-8)\n";
        return 1;
    }
    std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
    output.write(packed.data(), static_cast<std::streamsize>(packed.size()));
    output.close();
    if (!output) {
        std::cerr << argv[2] << ": cannot be written\n";
        return 1;
    }
    return 0;
}
