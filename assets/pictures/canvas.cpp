#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

int pixelOf(Rgb c) {
    return makecol32(c.r, c.g, c.b);
}

Rgb colourOf(int pixel) {
    return {getr32(pixel), getg32(pixel), getb32(pixel)};
}

static int clampByte(float v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

Rgb mix(Rgb a, Rgb b, float t) {
    return {clampByte(a.r + (b.r - a.r) * t), clampByte(a.g + (b.g - a.g) * t),
            clampByte(a.b + (b.b - a.b) * t)};
}

Rgb shade(Rgb c, float f) {
    return {clampByte(c.r * f), clampByte(c.g * f), clampByte(c.b * f)};
}

BITMAP* newPicture(int width, int height, Rgb fill) {
    BITMAP* bmp = create_bitmap_ex(32, width, height);
    if (bmp) {
        clear_to_color(bmp, pixelOf(fill));
    }
    return bmp;
}

void blendPixel(BITMAP* bmp, int x, int y, Rgb c, float alpha) {
    if (x < bmp->cl || y < bmp->ct || x >= bmp->cr || y >= bmp->cb || alpha <= 0.0f) {
        return;
    }
    alpha = std::min(alpha, 1.0f);
    Rgb under = colourOf(_getpixel32(bmp, x, y));
    _putpixel32(bmp, x, y, pixelOf(mix(under, c, alpha)));
}

void verticalGradient(BITMAP* bmp, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
    for (int y = y0; y <= y1; ++y) {
        float t = y1 > y0 ? float(y - y0) / float(y1 - y0) : 0.0f;
        hline(bmp, x0, y, x1, pixelOf(mix(top, bottom, t)));
    }
}

// distance from (x, y) to a rounded rectangle, 0 inside
static float roundedBoxDistance(float x, float y, int x0, int y0, int x1, int y1, int corner) {
    float cx = std::clamp(x, float(x0 + corner), float(x1 - corner));
    float cy = std::clamp(y, float(y0 + corner), float(y1 - corner));
    float d = std::hypot(x - cx, y - cy) - float(corner);
    return std::max(d, 0.0f);
}

void softShadow(BITMAP* bmp, int x0, int y0, int x1, int y1, int corner, int radius,
                float strength) {
    for (int y = y0 - radius; y <= y1 + radius; ++y) {
        for (int x = x0 - radius; x <= x1 + radius; ++x) {
            float d = roundedBoxDistance(float(x), float(y), x0, y0, x1, y1, corner);
            float t = 1.0f - d / float(radius);
            if (t > 0.0f) {
                blendPixel(bmp, x, y, Rgb{0, 0, 0}, strength * t * t);
            }
        }
    }
}

void roundedBox(BITMAP* bmp, int x0, int y0, int x1, int y1, int corner, Rgb c) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float d = roundedBoxDistance(x + 0.5f, y + 0.5f, x0, y0, x1 + 1, y1 + 1, corner);
            if (d <= 0.0f) {
                putpixel(bmp, x, y, pixelOf(c));
            } else if (d < 1.0f) {
                blendPixel(bmp, x, y, c, 1.0f - d);
            }
        }
    }
}

void smoothEllipse(BITMAP* bmp, float cx, float cy, float rx, float ry, Rgb c, float alpha) {
    int xa = int(std::floor(cx - rx - 1)), xb = int(std::ceil(cx + rx + 1));
    int ya = int(std::floor(cy - ry - 1)), yb = int(std::ceil(cy + ry + 1));
    for (int y = ya; y <= yb; ++y) {
        for (int x = xa; x <= xb; ++x) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            float r = std::sqrt(dx * dx + dy * dy);
            // distance outside the rim, roughly in pixels
            float out = (r - 1.0f) * std::min(rx, ry);
            float cover = std::clamp(0.5f - out, 0.0f, 1.0f);
            blendPixel(bmp, x, y, c, cover * alpha);
        }
    }
}

static uint32_t hashLattice(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ uint32_t(x) * 0x85EBCA77u ^ uint32_t(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

static float latticeValue(int x, int y, uint32_t seed) {
    return float(hashLattice(x, y, seed) & 0xFFFFFFu) / float(0xFFFFFF);
}

float valueNoise(float x, float y, uint32_t seed) {
    int xi = int(std::floor(x)), yi = int(std::floor(y));
    float fx = x - float(xi), fy = y - float(yi);
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float a = latticeValue(xi, yi, seed), b = latticeValue(xi + 1, yi, seed);
    float c = latticeValue(xi, yi + 1, seed), d = latticeValue(xi + 1, yi + 1, seed);
    float top = a + (b - a) * sx, bottom = c + (d - c) * sx;
    return top + (bottom - top) * sy;
}

float fractalNoise(float x, float y, uint32_t seed, int octaves) {
    float sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + uint32_t(i) * 101u) * weight;
        total += weight;
        weight *= 0.5f;
        x *= 2.03f;
        y *= 2.03f;
    }
    return sum / total;
}

void smallText(BITMAP* bmp, const char* text, int x, int y, Rgb c) {
    textout_ex(bmp, font, text, x, y, pixelOf(c), -1);
}

void smallTextCentred(BITMAP* bmp, const char* text, int cx, int y, Rgb c) {
    textout_centre_ex(bmp, font, text, cx, y, pixelOf(c), -1);
}

int bigTextWidth(const char* text, int scale) {
    return text_length(font, text) * scale;
}

// the text in the 8x8 font, white on black, stretched by scale; the caller destroys it
static BITMAP* stretchedText(const char* text, int scale) {
    int w = text_length(font, text), h = text_height(font);
    BITMAP* small = create_bitmap_ex(32, w, h);
    BITMAP* big = create_bitmap_ex(32, w * scale, h * scale);
    clear_to_color(small, 0);
    textout_ex(small, font, text, 0, 0, makecol32(255, 255, 255), -1);
    stretch_blit(small, big, 0, 0, w, h, 0, 0, w * scale, h * scale);
    destroy_bitmap(small);
    return big;
}

void bigText(BITMAP* bmp, const char* text, int cx, int y, int scale, Rgb top, Rgb bottom,
             Rgb outline) {
    BITMAP* big = stretchedText(text, scale);
    int bw = big->w, bh = big->h;
    auto inked = [&](int x, int yy) {
        return x >= 0 && yy >= 0 && x < bw && yy < bh && _getpixel32(big, x, yy) != 0;
    };
    int x0 = cx - bw / 2;
    int pad = std::max(2, scale / 2);
    int blur = scale + 2;
    // soft shadow: coverage of the glyphs, blurred, offset down-right
    for (int yy = -blur; yy < bh + blur; ++yy) {
        for (int x = -blur; x < bw + blur; ++x) {
            int hits = 0, count = 0;
            for (int dy = -blur; dy <= blur; dy += 2) {
                for (int dx = -blur; dx <= blur; dx += 2) {
                    hits += inked(x + dx, yy + dy);
                    ++count;
                }
            }
            if (hits) {
                blendPixel(bmp, x0 + x + scale, y + yy + scale, Rgb{0, 0, 0},
                           0.75f * float(hits) / float(count));
            }
        }
    }
    // outline: every pixel within pad of a glyph pixel
    for (int yy = -pad; yy < bh + pad; ++yy) {
        for (int x = -pad; x < bw + pad; ++x) {
            bool near = false;
            for (int dy = -pad; dy <= pad && !near; ++dy) {
                for (int dx = -pad; dx <= pad && !near; ++dx) {
                    near = dx * dx + dy * dy <= pad * pad + 1 && inked(x + dx, yy + dy);
                }
            }
            if (near) {
                blendPixel(bmp, x0 + x, y + yy, outline, 1.0f);
            }
        }
    }
    // the glyphs, with a gradient and a light upper edge on each stroke
    for (int yy = 0; yy < bh; ++yy) {
        Rgb c = mix(top, bottom, bh > 1 ? float(yy) / float(bh - 1) : 0.0f);
        for (int x = 0; x < bw; ++x) {
            if (!inked(x, yy)) {
                continue;
            }
            Rgb p = c;
            if (!inked(x, yy - std::max(1, scale / 3))) {
                p = mix(c, Rgb{255, 255, 240}, 0.45f);
            } else if (!inked(x, yy + std::max(1, scale / 3))) {
                p = shade(c, 0.8f);
            }
            putpixel(bmp, x0 + x, y + yy, pixelOf(p));
        }
    }
    destroy_bitmap(big);
}

void woodPanel(BITMAP* bmp, int x0, int y0, int x1, int y1, const WoodStyle& style) {
    int size = std::max(4, style.plankSize);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            // u runs along the grain, v across it
            int u = style.vertical ? y : x;
            int v = style.vertical ? x - x0 : y - y0;
            int plank = v / size;
            int local = v - plank * size;
            float tint = latticeValue(plank, 7, style.seed) - 0.5f;
            float fu = u + plank * 173.0f;
            float warp = fractalNoise(fu / 70.0f, v / 9.0f, style.seed, 4);
            float lines = 0.5f + 0.5f * std::sin((v + warp * 22.0f) * 1.3f + plank * 2.1f);
            float stripe = lines * lines * lines * lines;
            float fine = valueNoise(fu / 3.0f, v * 1.7f, style.seed + 5u);
            float t = 0.30f + 0.45f * warp + 0.25f * tint - 0.22f * stripe + 0.08f * fine;
            // a knot now and then, with the grain bending round it
            float kx = latticeValue(plank, 1, style.seed) * 900.0f;
            float ky = size * (0.3f + 0.4f * latticeValue(plank, 2, style.seed));
            float kd = std::hypot((fu - plank * 173.0f - kx) / 2.2f, float(local) - ky);
            if (latticeValue(plank, 3, style.seed) < 0.45f && kd < 6.0f) {
                float ring = 0.5f + 0.5f * std::sin(kd * 2.2f);
                t -= (1.0f - kd / 6.0f) * (0.35f + 0.2f * ring);
            }
            Rgb c = mix(style.dark, style.light, std::clamp(t, 0.0f, 1.0f));
            if (local == 0) {
                c = shade(c, 0.45f);
            } else if (local == 1) {
                c = shade(c, 1.12f);
            } else if (local == size - 1) {
                c = shade(c, 0.78f);
            }
            putpixel(bmp, x, y, pixelOf(c));
        }
    }
}

void shadedEllipse(BITMAP* bmp, float cx, float cy, float rx, float ry, Rgb base, bool smooth) {
    const float lx = -0.45f, ly = -0.6f, lz = 0.66f;
    int xa = int(std::floor(cx - rx - 1)), xb = int(std::ceil(cx + rx + 1));
    int ya = int(std::floor(cy - ry - 1)), yb = int(std::ceil(cy + ry + 1));
    for (int y = ya; y <= yb; ++y) {
        for (int x = xa; x <= xb; ++x) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            float r2 = dx * dx + dy * dy;
            float r = std::sqrt(r2);
            float cover;
            if (smooth) {
                cover = std::clamp(0.5f - (r - 1.0f) * std::min(rx, ry), 0.0f, 1.0f);
            } else {
                cover = r2 <= 1.0f ? 1.0f : 0.0f;
            }
            if (cover <= 0.0f) {
                continue;
            }
            float nz = std::sqrt(std::max(0.0f, 1.0f - std::min(r2, 1.0f)));
            float diffuse = std::max(0.0f, dx * lx + dy * ly + nz * lz);
            float f = 0.55f + 0.6f * diffuse;
            Rgb c = shade(base, f);
            float highlight = std::pow(std::max(0.0f, diffuse), 18.0f);
            c = mix(c, Rgb{255, 255, 245}, 0.5f * highlight);
            blendPixel(bmp, x, y, c, cover);
        }
    }
}

void glow(BITMAP* bmp, float cx, float cy, float radius, Rgb c, float strength) {
    int xa = std::max(0, int(cx - radius)), xb = std::min(bmp->w - 1, int(cx + radius));
    int ya = std::max(0, int(cy - radius)), yb = std::min(bmp->h - 1, int(cy + radius));
    for (int y = ya; y <= yb; ++y) {
        for (int x = xa; x <= xb; ++x) {
            float d = std::hypot(x - cx, y - cy) / radius;
            if (d < 1.0f) {
                float t = (1.0f - d) * (1.0f - d);
                blendPixel(bmp, x, y, c, strength * t);
            }
        }
    }
}

void vignette(BITMAP* bmp, float strength) {
    float cx = bmp->w / 2.0f, cy = bmp->h / 2.0f;
    float far = std::hypot(cx, cy);
    for (int y = 0; y < bmp->h; ++y) {
        for (int x = 0; x < bmp->w; ++x) {
            float d = std::hypot(x - cx, (y - cy) * 1.2f) / far;
            float t = std::clamp((d - 0.45f) / 0.65f, 0.0f, 1.0f);
            blendPixel(bmp, x, y, Rgb{0, 0, 0}, strength * t * t);
        }
    }
}

void steam(BITMAP* bmp, float cx, float cy, float rx, float ry, uint32_t seed, float strength) {
    int xa = int(cx - rx), xb = int(cx + rx), ya = int(cy - ry), yb = int(cy + ry);
    for (int y = ya; y <= yb; ++y) {
        for (int x = xa; x <= xb; ++x) {
            float dx = (x - cx) / rx, dy = (y - cy) / ry;
            float r = std::sqrt(dx * dx + dy * dy);
            if (r >= 1.0f) {
                continue;
            }
            float n = fractalNoise(x / 22.0f, y / 30.0f, seed, 4);
            float a = std::clamp((n - 0.42f) * 2.6f, 0.0f, 1.0f) * (1.0f - r) * (1.0f - r);
            blendPixel(bmp, x, y, Rgb{250, 245, 240}, strength * a);
        }
    }
}

void scaledText(BITMAP* bmp, const char* text, int x, int y, int scale, Rgb c) {
    BITMAP* big = stretchedText(text, scale);
    int drop = std::max(1, scale / 2);
    for (int pass = 0; pass < 2; ++pass) {
        int off = pass == 0 ? drop : 0;
        Rgb ink = pass == 0 ? Rgb{0, 0, 0} : c;
        for (int yy = 0; yy < big->h; ++yy) {
            for (int xx = 0; xx < big->w; ++xx) {
                if (_getpixel32(big, xx, yy) != 0) {
                    blendPixel(bmp, x + xx + off, y + yy + off, ink, pass == 0 ? 0.7f : 1.0f);
                }
            }
        }
    }
    destroy_bitmap(big);
}

void scaledTextCentred(BITMAP* bmp, const char* text, int cx, int y, int scale, Rgb c) {
    scaledText(bmp, text, cx - text_length(font, text) * scale / 2, y, scale, c);
}

void outlineSprite(BITMAP* bmp, Rgb outline) {
    const int mask = pixelOf(magenta);
    std::vector<char> solid(size_t(bmp->w) * size_t(bmp->h));
    for (int y = 0; y < bmp->h; ++y) {
        for (int x = 0; x < bmp->w; ++x) {
            solid[size_t(y) * bmp->w + x] = _getpixel32(bmp, x, y) != mask;
        }
    }
    auto at = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < bmp->w && y < bmp->h && solid[size_t(y) * bmp->w + x];
    };
    for (int y = 0; y < bmp->h; ++y) {
        for (int x = 0; x < bmp->w; ++x) {
            if (!at(x, y) && (at(x - 1, y) || at(x + 1, y) || at(x, y - 1) || at(x, y + 1))) {
                _putpixel32(bmp, x, y, pixelOf(outline));
            }
        }
    }
}

void fillShape(BITMAP* bmp, std::initializer_list<int> points, Rgb c) {
    std::vector<int> p(points);
    polygon(bmp, int(p.size() / 2), p.data(), pixelOf(c));
}

void smoothThickLine(BITMAP* bmp, float x0, float y0, float x1, float y1, float r, Rgb c) {
    float len = std::hypot(x1 - x0, y1 - y0);
    int steps = std::max(1, int(len * 2));
    for (int i = 0; i <= steps; ++i) {
        float t = float(i) / float(steps);
        smoothEllipse(bmp, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, r, r, c, 1.0f);
    }
}

void woodBox(BITMAP* bmp, int x0, int y0, int x1, int y1, int corner, const WoodStyle& style) {
    BITMAP* wood = create_bitmap_ex(32, x1 - x0 + 1, y1 - y0 + 1);
    woodPanel(wood, 0, 0, wood->w - 1, wood->h - 1, style);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float d = roundedBoxDistance(x + 0.5f, y + 0.5f, x0, y0, x1 + 1, y1 + 1, corner);
            if (d < 1.0f) {
                blendPixel(bmp, x, y, colourOf(_getpixel32(wood, x - x0, y - y0)), 1.0f - d);
            }
        }
    }
    destroy_bitmap(wood);
}
