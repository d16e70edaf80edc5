// draw_assets: draws the pictures used by the programs and writes them as
// 24-bit uncompressed BMP files, and draws the programs' desktop icons.
//
//   draw_assets <outdir>            the six pictures, as BMP files, each also
//                                   at 2× and 3× (<name>@2x.bmp, <name>@3x.bmp)
//   draw_assets --icons <outdir> <icon name>=<drawing>...
//                                   <outdir>/hicolor/<n>x<n>/apps/<icon name>.png
//
// The pictures are drawn in pictures.cpp, each family's icons in its
// programs/<family>/icon.cpp, all on the canvas of canvas.h, so the output is
// the same bit for bit on every run and every build. The committed files in
// assets/ are produced by this program; a test regenerates them and compares
// byte for byte. The icons are made at build time and installed with the
// programs.

#include "canvas.h"
#include "pictures.h"

#include <QColor>
#include <QImage>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace drawing;

// -------------------------------------------------------------- BMP output

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
}

// BITMAPFILEHEADER + BITMAPINFOHEADER, 24 bpp BI_RGB, bottom-up rows padded
// to a multiple of four bytes.
std::vector<std::uint8_t> encodeBmp(const Canvas& c) {
    constexpr std::uint32_t kHeaderSize = 14 + 40;
    constexpr std::uint32_t kPixelsPerMetre = 3780; // 96 dpi
    const auto w = static_cast<std::uint32_t>(c.width());
    const auto h = static_cast<std::uint32_t>(c.height());
    const std::uint32_t stride = (w * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * h;

    std::vector<std::uint8_t> out;
    out.reserve(kHeaderSize + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, kHeaderSize + imageSize); // bfSize
    put16(out, 0);                       // bfReserved1
    put16(out, 0);                       // bfReserved2
    put32(out, kHeaderSize);             // bfOffBits

    put32(out, 40);              // biSize
    put32(out, w);               // biWidth
    put32(out, h);               // biHeight (positive: bottom-up)
    put16(out, 1);               // biPlanes
    put16(out, 24);              // biBitCount
    put32(out, 0);               // biCompression = BI_RGB
    put32(out, imageSize);       // biSizeImage
    put32(out, kPixelsPerMetre); // biXPelsPerMeter
    put32(out, kPixelsPerMetre); // biYPelsPerMeter
    put32(out, 0);               // biClrUsed
    put32(out, 0);               // biClrImportant

    for (int y = c.height() - 1; y >= 0; --y) {
        for (int x = 0; x < c.width(); ++x) {
            const Rgb p = c.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (std::uint32_t pad = w * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

bool writeFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "draw_assets: cannot write " << file.string() << '\n';
        return false;
    }
    return true;
}

bool writeBmp(const std::filesystem::path& file, const Canvas& c) { return writeFile(file, encodeBmp(c)); }

// The scales each picture is drawn at: <name>.bmp for ordinary screens, and
// <name>@2x.bmp and <name>@3x.bmp, two and three times as many pixels each
// way, for screens of that many device pixels per pixel.
constexpr int kPictureScales[] = {1, 2, 3};

// ------------------------------------------------------------------ icons

constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Averages each square of master pixels, weighting colour by opacity so that
// transparent pixels lend no colour to the edges.
Canvas downsample(const Canvas& master, int size) {
    const int k = master.width() / size;
    const std::uint64_t area = static_cast<std::uint64_t>(k) * static_cast<std::uint64_t>(k);
    Canvas out(size, size, kClear);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            std::uint64_t a = 0, r = 0, g = 0, b = 0;
            for (int j = y * k; j < (y + 1) * k; ++j)
                for (int i = x * k; i < (x + 1) * k; ++i) {
                    const Rgb p = master.at(i, j);
                    a += p.a;
                    r += std::uint64_t{p.r} * p.a;
                    g += std::uint64_t{p.g} * p.a;
                    b += std::uint64_t{p.b} * p.a;
                }
            if (a == 0)
                continue;
            const auto mean = [](std::uint64_t sum, std::uint64_t count) {
                return static_cast<std::uint8_t>((2 * sum + count) / (2 * count));
            };
            out.plot(x, y, {mean(r, a), mean(g, a), mean(b, a), mean(a, area)});
        }
    return out;
}

bool writePng(const std::filesystem::path& file, const Canvas& c) {
    QImage image(c.width(), c.height(), QImage::Format_RGBA8888);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const Rgb p = c.at(x, y);
            image.setPixelColor(x, y, QColor(p.r, p.g, p.b, p.a));
        }
    if (!image.save(QString::fromStdString(file.string()), "PNG")) {
        std::cerr << "draw_assets: cannot write " << file.string() << '\n';
        return false;
    }
    return true;
}

// Each request "<icon name>=<drawing>" becomes <outDir>/hicolor/<n>x<n>/apps/<icon name>.png at every size.
bool writeIcons(const std::filesystem::path& outDir, const std::vector<std::string>& requests) {
    bool ok = true;
    for (const std::string& request : requests) {
        const auto equals = request.find('=');
        const std::string name = request.substr(0, equals);
        const std::string drawingName = equals == std::string::npos ? "" : request.substr(equals + 1);
        const std::vector<IconDrawing>& drawings = IconDrawings::all();
        const auto drawing = std::find_if(drawings.begin(), drawings.end(),
                                          [&](const IconDrawing& d) { return drawingName == d.name; });
        if (name.empty() || drawing == drawings.end()) {
            std::vector<std::string> names;
            for (const IconDrawing& d : drawings)
                names.push_back(d.name);
            std::sort(names.begin(), names.end());
            std::cerr << "draw_assets: '" << request << "' is not <icon name>=<drawing>; the drawings"
                      << " (in programs/<family>/icon.cpp) are:";
            for (const std::string& n : names)
                std::cerr << ' ' << n;
            std::cerr << '\n';
            return false;
        }
        Canvas master(kMaster, kMaster, kClear);
        drawing->draw(master);
        for (const int size : kIconSizes) {
            const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
            const std::filesystem::path dir = outDir / "hicolor" / sizeName / "apps";
            std::error_code ec;
            std::filesystem::create_directories(dir, ec);
            if (ec) {
                std::cerr << "draw_assets: cannot create " << dir.string() << ": " << ec.message() << '\n';
                return false;
            }
            ok = writePng(dir / (name + ".png"), downsample(master, size)) && ok;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    const bool icons = argc >= 3 && std::string(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::cerr << "usage: draw_assets <outdir> | draw_assets --icons <outdir> <icon name>=<drawing>...\n";
        return 2;
    }
    const std::filesystem::path outDir = icons ? argv[2] : argv[1];
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec) {
        std::cerr << "draw_assets: cannot create " << outDir.string() << ": " << ec.message() << '\n';
        return 1;
    }
    if (icons)
        return writeIcons(outDir, std::vector<std::string>(argv + 3, argv + argc)) ? 0 : 1;

    struct Asset {
        const char* name;
        Canvas (*draw)(int scale);
    };
    const Asset assets[] = {
        {"trafficlight_green", trafficLightGreen},
        {"trafficlight_red", trafficLightRed},
        {"chase_car", chaseCar},
        {"chase_cartoon", chaseCartoon},
        {"chase2_figure", chaseFigure},
        {"chase2_figure2", chaseFigure2},
    };
    bool ok = true;
    for (const Asset& a : assets)
        for (const int scale : kPictureScales) {
            const std::string suffix = scale == 1 ? "" : "@" + std::to_string(scale) + "x";
            ok = writeBmp(outDir / (a.name + suffix + ".bmp"), a.draw(scale)) && ok;
        }
    return ok ? 0 : 1;
}
