#include "pictures.h"

#include <string>

namespace {

// saves one picture and frees it; an error message, or empty on success
std::string savePicture(const std::string& dir, const char* name, BITMAP* bmp, const RGB* pal) {
    std::string path = dir + "/" + name;
    if (!bmp) {
        return "could not draw " + path;
    }
    int failed = save_pcx(path.c_str(), bmp, pal);
    destroy_bitmap(bmp);
    return failed ? "could not write " + path : std::string();
}

} // namespace

std::string writeAllPictures(const std::string& dir) {
    set_color_depth(32);
    PALETTE pointerPalette;
    BITMAP* pointer = paintPointer(pointerPalette);
    struct Job {
        const char* name;
        BITMAP* bmp;
        const RGB* pal;
    };
    // the 24-bit pictures need no palette
    const Job jobs[] = {
        {"pohja.pcx", paintMenu(), nullptr},
        {"kursori.pcx", pointer, pointerPalette},
        {"info.pcx", paintInfo(), nullptr},
        {"loppu.pcx", paintGoodbye(), nullptr},
        {"paksa.pcx", paintSceneBackground(), nullptr},
        {"laude.pcx", paintBench(), nullptr},
        {"sivupalkki2.pcx", paintSideBar(), nullptr},
        {"ukko.pcx", paintMan(), nullptr},
        {"ruisleipa.pcx", paintRyeBread(), nullptr},
        {"kinkku.pcx", paintMeat(), nullptr},
        {"viina.pcx", paintBooze(), nullptr},
        {"vihta.pcx", paintWhisk(), nullptr},
    };
    std::string problem;
    for (const Job& job : jobs) {
        std::string p = savePicture(dir, job.name, job.bmp, job.pal);
        if (problem.empty()) {
            problem = p;
        }
    }
    return problem;
}
