// Checks the committed BMP pictures: file format, and for the traffic
// lights the housing frame and lens geometry the programs rely on.
//
//   assets_bmp_check <assets dir>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

int failures = 0;
std::string currentFile;

// Counts and reports a failed check; gives whether it held.
bool check(bool held, int line, const char* cond) {
    if (!held) {
        ++failures;
        std::cerr << currentFile << ": check failed at line " << line << ": " << cond << '\n';
    }
    return held;
}
#define CHECK(cond) check(static_cast<bool>(cond), __LINE__, #cond)

struct Rgb {
    std::uint8_t r, g, b;
    friend auto operator<=>(Rgb, Rgb) = default;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kRed{255, 0, 0};

struct Box {
    int left, top, right, bottom;
    friend bool operator==(const Box&, const Box&) = default;
};

std::ostream& operator<<(std::ostream& os, const Box& b) {
    return os << "cols " << b.left << ".." << b.right << ", rows " << b.top << ".." << b.bottom;
}

struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> pixels; // top row first
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

std::uint32_t le32(const std::vector<std::uint8_t>& d, std::size_t at) {
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}
std::uint16_t le16(const std::vector<std::uint8_t>& d, std::size_t at) {
    return static_cast<std::uint16_t>(d[at] | d[at + 1] << 8);
}

// Reads a 24-bit BMP, checking every header field the writer sets.
std::optional<Image> loadBmp(const std::filesystem::path& file, int width, int height) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> d{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!CHECK(d.size() >= 54))
        return std::nullopt;

    CHECK(d[0] == 'B' && d[1] == 'M');
    CHECK(le32(d, 2) == d.size());   // bfSize
    CHECK(le32(d, 10) == 54);        // pixels right after the headers
    CHECK(le32(d, 14) == 40);        // BITMAPINFOHEADER
    CHECK(static_cast<std::int32_t>(le32(d, 18)) == width);
    CHECK(static_cast<std::int32_t>(le32(d, 22)) == height); // positive: bottom-up
    CHECK(le16(d, 26) == 1);
    CHECK(le16(d, 28) == 24);
    CHECK(le32(d, 30) == 0); // BI_RGB

    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    if (!CHECK(d.size() == 54 + stride * static_cast<std::size_t>(height)))
        return std::nullopt;
    CHECK(le32(d, 34) == stride * static_cast<std::size_t>(height));

    Image img{width, height, {}};
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            const std::size_t p = 54 + stride * std::size_t(height - 1 - row) + std::size_t(x) * 3;
            img.pixels.push_back({d[p + 2], d[p + 1], d[p]});
        }
    return img;
}

// ------------------------------------------------------------ pixel queries

bool allOf(const Image& img, Box b, Rgb c) {
    for (int y = b.top; y <= b.bottom; ++y)
        for (int x = b.left; x <= b.right; ++x)
            if (img.at(x, y) != c)
                return false;
    return true;
}

std::set<Rgb> coloursIn(const Image& img) { return {img.pixels.begin(), img.pixels.end()}; }

// Bounding box of every pixel of colour c anywhere in the image.
std::optional<Box> boundsOf(const Image& img, Rgb c) {
    std::optional<Box> b;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (img.at(x, y) == c) {
                if (!b)
                    b = Box{x, y, x, y};
                b = Box{std::min(b->left, x), std::min(b->top, y), std::max(b->right, x), std::max(b->bottom, y)};
            }
    return b;
}

// The 4-connected region of seed's colour containing seed.
struct Region {
    Box bounds;
    std::vector<bool> member; // indexed like Image::pixels
};

Region flood(const Image& img, int sx, int sy) {
    const Rgb c = img.at(sx, sy);
    Region r{{sx, sy, sx, sy}, std::vector<bool>(img.pixels.size(), false)};
    std::vector<std::array<int, 2>> todo{{sx, sy}};
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (x < 0 || y < 0 || x >= img.width || y >= img.height)
            continue;
        const auto i = static_cast<std::size_t>(y * img.width + x);
        if (r.member[i] || img.at(x, y) != c)
            continue;
        r.member[i] = true;
        r.bounds = {std::min(r.bounds.left, x), std::min(r.bounds.top, y), std::max(r.bounds.right, x),
                    std::max(r.bounds.bottom, y)};
        todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    return r;
}

// True when every row and every column crosses the region in a single run,
// i.e. the region has no holes or notches.
bool solid(const Image& img, const Region& r) {
    auto in = [&](int x, int y) { return r.member[static_cast<std::size_t>(y * img.width + x)]; };
    for (int y = r.bounds.top; y <= r.bounds.bottom; ++y) {
        int runs = 0;
        for (int x = r.bounds.left; x <= r.bounds.right; ++x)
            runs += in(x, y) && (x == r.bounds.left || !in(x - 1, y));
        if (runs != 1)
            return false;
    }
    for (int x = r.bounds.left; x <= r.bounds.right; ++x) {
        int runs = 0;
        for (int y = r.bounds.top; y <= r.bounds.bottom; ++y)
            runs += in(x, y) && (y == r.bounds.top || !in(x, y - 1));
        if (runs != 1)
            return false;
    }
    return true;
}

// Number of consecutive black pixels from (x, y) stepping by (dx, dy).
int blackRun(const Image& img, int x, int y, int dx, int dy) {
    int n = 0;
    for (; x >= 0 && y >= 0 && x < img.width && y < img.height && img.at(x, y) == kBlack; x += dx, y += dy)
        ++n;
    return n;
}

bool reportBoxes(const char* what, std::optional<Box> got, Box want) {
    if (got && *got == want)
        return true;
    std::cerr << currentFile << ": " << what << " expected " << want;
    if (got)
        std::cerr << ", got " << *got;
    std::cerr << '\n';
    return false;
}

// A lens interior of colour `fill` spanning exactly `interior`, ringed by a
// black outline about five pixels thick. The interior is flooded from its
// centre, so a gap in the outline shows up as wrong bounds and a blot in the
// fill as a hole in the region. `checkTop` is off where the outline merges
// with the frame.
void checkLens(const Image& img, Box interior, Rgb fill, bool checkTop) {
    const int cx = (interior.left + interior.right) / 2;
    const int cy = (interior.top + interior.bottom) / 2;
    CHECK(img.at(cx, cy) == fill);
    const Region region = flood(img, cx, cy);
    CHECK(reportBoxes("lens interior", region.bounds, interior));
    CHECK(solid(img, region));

    for (const int run : {blackRun(img, interior.left - 1, cy, -1, 0), blackRun(img, interior.right + 1, cy, 1, 0),
                          blackRun(img, cx, interior.bottom + 1, 0, 1)})
        CHECK(run >= 4 && run <= 6);
    if (checkTop) {
        const int run = blackRun(img, cx, interior.top - 1, 0, -1);
        CHECK(run >= 4 && run <= 6);
    }
}

// ------------------------------------------------------------------ pictures

// The picture's pixel box b as it lies on a picture drawn k times larger.
Box scaled(Box b, int k) { return {b.left * k, b.top * k, (b.right + 1) * k - 1, (b.bottom + 1) * k - 1}; }

// A traffic light: a black housing frame around a white field, one lens lit in
// `lit` and the other white, each ringed in black.
struct TrafficLight {
    Rgb lit;
    Box litLens, unlitLens;     // the lenses' interiors
    bool litBelow;              // the lit lens is the lower one; the upper one's outline merges with the frame
    Box field;                  // the field inside the frame, whose corners are white
    std::vector<Box> frame;     // black
    std::vector<Box> blank;     // white
};

const TrafficLight kGreenLight{kGreen, {10, 64, 42, 109}, {11, 9, 42, 52}, true, {4, 5, 50, 122},
                               {{0, 0, 53, 4}, {0, 123, 53, 126}, {0, 0, 3, 126}, {51, 0, 53, 126}},
                               // Nothing of the lenses below row 114.
                               {{4, 115, 50, 122}}};

const TrafficLight kRedLight{kRed, {13, 10, 44, 53}, {12, 65, 44, 110}, false, {6, 6, 51, 123},
                             {{1, 1, 56, 5}, {1, 124, 56, 128}, {1, 1, 5, 128}, {52, 1, 56, 128}},
                             // A white margin left and above.
                             {{0, 0, 56, 0}, {0, 0, 0, 128}}};

// The light as drawn k times larger: its frame, field and lit lens cover the
// same picture pixels at every density; the 1× picture also has only its three
// colours and the lenses' outlines.
void checkTrafficLight(const Image& img, const TrafficLight& light, int k) {
    for (const Box& b : light.frame)
        CHECK(allOf(img, scaled(b, k), kBlack));
    for (const Box& b : light.blank)
        CHECK(allOf(img, scaled(b, k), kWhite));
    // The frame is no wider than that: the field corners are white.
    for (const int x : {light.field.left, light.field.right})
        for (const int y : {light.field.top, light.field.bottom})
            CHECK(allOf(img, scaled({x, y, x, y}, k), kWhite));
    CHECK(reportBoxes("lit region", boundsOf(img, light.lit), scaled(light.litLens, k)));
    if (k != 1)
        return;
    CHECK((coloursIn(img) == std::set<Rgb>{kBlack, kWhite, light.lit}));
    checkLens(img, light.litLens, light.lit, light.litBelow);
    checkLens(img, light.unlitLens, kWhite, !light.litBelow);
}

// Drawings on a white background: white corners, and a real drawing in
// several colours rather than an empty or single-colour canvas.
void checkDrawing(const Image& img) {
    for (const int x : {0, img.width - 1})
        for (const int y : {0, img.height - 1})
            CHECK(img.at(x, y) == kWhite);
    const auto inked = std::count_if(img.pixels.begin(), img.pixels.end(), [](Rgb p) { return p != kWhite; });
    CHECK(static_cast<std::size_t>(inked) * 5 >= img.pixels.size());
    CHECK(coloursIn(img).size() >= 5);
}

// ------------------------------------------------------- higher densities

// A picture drawn k times larger than `standard`: the same drawing in pure
// colours, where most pixels carry the colour of the 1× pixel they lie in, yet
// not merely that pixel enlarged. Every colour of the 1× picture is there; a
// finer drawing may show a little of a shape the 1× one covers entirely (the
// cartoon car's exhaust puff at 3×), but smoothing would bring in dozens.
void checkDense(const Image& dense, const Image& standard, int k) {
    const std::set<Rgb> own = coloursIn(standard), drawn = coloursIn(dense);
    CHECK(std::includes(drawn.begin(), drawn.end(), own.begin(), own.end()));
    CHECK(drawn.size() <= own.size() + 1);
    std::size_t same = 0, enlarged = 0;
    for (int y = 0; y < dense.height; ++y)
        for (int x = 0; x < dense.width; ++x) {
            same += dense.at(x, y) == standard.at(x / k, y / k);
            enlarged += x % k == 0 && dense.at(x, y) == dense.at(x + 1, y);
        }
    CHECK(same * 10 >= dense.pixels.size() * 9);
    CHECK(enlarged * static_cast<std::size_t>(k) < dense.pixels.size());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: assets_bmp_check <assets dir>\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];

    struct Picture {
        const char* name;
        int width, height;
        const TrafficLight* light;  // none for a drawing
    };
    const Picture pictures[] = {
        {"trafficlight_green", 54, 127, &kGreenLight}, {"trafficlight_red", 57, 129, &kRedLight},
        {"chase_car", 62, 28, nullptr},                {"chase_cartoon", 62, 42, nullptr},
        {"chase2_figure", 30, 68, nullptr},            {"chase2_figure2", 45, 63, nullptr},
    };
    for (const Picture& p : pictures) {
        currentFile = std::string(p.name) + ".bmp";
        CHECK(std::filesystem::is_regular_file(dir / currentFile));
        const auto standard = loadBmp(dir / currentFile, p.width, p.height);
        if (!standard)
            continue;
        if (p.light)
            checkTrafficLight(*standard, *p.light, 1);
        else
            checkDrawing(*standard);
        // Beside it, the same picture drawn for screens of 2 and 3 device
        // pixels per pixel, 24-bit as well, and exactly that much larger.
        for (const int k : {2, 3}) {
            currentFile = std::string(p.name) + "@" + std::to_string(k) + "x.bmp";
            CHECK(std::filesystem::is_regular_file(dir / currentFile));
            if (const auto dense = loadBmp(dir / currentFile, p.width * k, p.height * k)) {
                checkDense(*dense, *standard, k);
                if (p.light)
                    checkTrafficLight(*dense, *p.light, k);
            }
        }
    }

    if (failures != 0) {
        std::cerr << failures << " check(s) failed\n";
        return 1;
    }
    std::cout << "all pictures pass\n";
    return 0;
}
