// Compositing, sampling, blur and resize for the float canvas.
#include "canvas.h"

namespace {

// Bilinear sample of premultiplied texels; outside the source rectangle is transparent.
void Sample(const Canvas& src, int x0, int y0, int x1, int y1, float u, float v, float out[4]) {
    const float fx = u - 0.5f, fy = v - 0.5f;
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    const float tx = fx - ix, ty = fy - iy;
    for (int i = 0; i < 4; ++i) out[i] = 0;
    for (int k = 0; k < 4; ++k) {
        const int sx = ix + (k & 1), sy = iy + (k >> 1);
        // Clamp to the edge like a texture sampler, so images have no dark fringe.
        const int cx = std::clamp(sx, x0, x1 - 1), cy = std::clamp(sy, y0, y1 - 1);
        const float w = ((k & 1) ? tx : 1 - tx) * ((k >> 1) ? ty : 1 - ty);
        const float* p = src.At(cx, cy);
        for (int i = 0; i < 4; ++i) out[i] += p[i] * w;
    }
}

void BoxBlurLine(float* data, int count, int stride, int radius, std::vector<float>& tmp) {
    tmp.assign(static_cast<size_t>(count) * 4, 0.0f);
    const float inv = 1.0f / static_cast<float>(2 * radius + 1);
    float sum[4] = {0, 0, 0, 0};
    auto px = [&](int i) {
        return data + static_cast<size_t>(std::clamp(i, 0, count - 1)) * stride;
    };
    // Edges extend outwards, so a blurred picture does not darken at its border.
    for (int i = -radius; i <= radius; ++i)
        for (int c = 0; c < 4; ++c) sum[c] += px(i)[c];
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < 4; ++c) tmp[static_cast<size_t>(i) * 4 + c] = sum[c] * inv;
        const int add = i + radius + 1, sub = i - radius;
        for (int c = 0; c < 4; ++c) sum[c] += px(add)[c] - px(sub)[c];
    }
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < 4; ++c) px(i)[c] = tmp[static_cast<size_t>(i) * 4 + c];
}

}  // namespace

Rgba Over(Rgba top, Rgba bottom) {
    const float ta = Clamp01(top.a), ba = Clamp01(bottom.a);
    const float a = ta + ba * (1 - ta);
    if (a <= 1e-6f) return {0, 0, 0, 0};
    const float k = ba * (1 - ta);
    return {(top.r * ta + bottom.r * k) / a, (top.g * ta + bottom.g * k) / a,
            (top.b * ta + bottom.b * k) / a, a};
}

Rgba AddLight(Rgba base, Rgba light, float amount) {
    const float ba = Clamp01(base.a);
    const float k = std::max(0.0f, amount);
    const float r = base.r * ba + light.r * k, g = base.g * ba + light.g * k,
                b = base.b * ba + light.b * k;
    const float a = Clamp01(ba + k * (1 - ba));
    if (a <= 1e-6f) return {0, 0, 0, 0};
    return {std::min(r / a, 1.0f), std::min(g / a, 1.0f), std::min(b / a, 1.0f), a};
}

Rgba Canvas::Get(int x, int y) const {
    const float* p = At(x, y);
    if (p[3] <= 1e-6f) return {0, 0, 0, 0};
    return {p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]};
}

void DrawSubImage(Canvas& dst, const Canvas& src, float cx, float cy, float w, float h, int sx0,
                  int sy0, int sw, int sh, float degrees, float opacity) {
    const float rad = degrees * kPi / 180.0f;
    const float c = std::cos(rad), s = std::sin(rad);
    const float ext = 0.5f * (std::fabs(w * c) + std::fabs(h * s)) + 2;
    const float eyt = 0.5f * (std::fabs(w * s) + std::fabs(h * c)) + 2;
    const int xa = std::max(0, static_cast<int>(cx - ext)),
              xb = std::min(dst.width, static_cast<int>(cx + ext) + 1);
    const int ya = std::max(0, static_cast<int>(cy - eyt)),
              yb = std::min(dst.height, static_cast<int>(cy + eyt) + 1);
    for (int y = ya; y < yb; ++y) {
        for (int x = xa; x < xb; ++x) {
            // Into the image's own frame: undo the clockwise rotation.
            const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            const float lx = dx * c + dy * s, ly = -dx * s + dy * c;
            const float u = (lx / w + 0.5f), v = (ly / h + 0.5f);
            if (u < 0 || u >= 1 || v < 0 || v >= 1) continue;
            float p[4];
            Sample(src, sx0, sy0, sx0 + sw, sy0 + sh, sx0 + u * sw, sy0 + v * sh, p);
            float* d = dst.At(x, y);
            const float k = 1 - p[3] * opacity;
            for (int i = 0; i < 4; ++i) d[i] = p[i] * opacity + d[i] * k;
        }
    }
}

void DrawImage(Canvas& dst, const Canvas& src, float cx, float cy, float w, float h, float degrees,
               float opacity) {
    DrawSubImage(dst, src, cx, cy, w, h, 0, 0, src.width, src.height, degrees, opacity);
}

Canvas Resize(const Canvas& src, int w, int h) {
    Canvas out(w, h);
    const float sx = static_cast<float>(src.width) / w, sy = static_cast<float>(src.height) / h;
    for (int y = 0; y < h; ++y) {
        const float y0 = y * sy, y1 = (y + 1) * sy;
        for (int x = 0; x < w; ++x) {
            const float x0 = x * sx, x1 = (x + 1) * sx;
            float acc[4] = {0, 0, 0, 0}, total = 0;
            for (int iy = static_cast<int>(y0);
                 iy < std::min(src.height, static_cast<int>(std::ceil(y1))); ++iy) {
                const float wy = std::min(y1, iy + 1.0f) - std::max(y0, static_cast<float>(iy));
                for (int ix = static_cast<int>(x0);
                     ix < std::min(src.width, static_cast<int>(std::ceil(x1))); ++ix) {
                    const float wx = std::min(x1, ix + 1.0f) - std::max(x0, static_cast<float>(ix));
                    const float* p = src.At(ix, iy);
                    for (int i = 0; i < 4; ++i) acc[i] += p[i] * wx * wy;
                    total += wx * wy;
                }
            }
            float* d = out.At(x, y);
            for (int i = 0; i < 4; ++i) d[i] = total > 0 ? acc[i] / total : 0;
        }
    }
    return out;
}

void Blur(Canvas& c, float radius) {
    // Three box passes of this radius approximate a Gaussian of about the same sigma.
    const int r = std::max(1, static_cast<int>(std::lround(radius * 0.85f)));
    std::vector<float> tmp;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < c.height; ++y) BoxBlurLine(c.At(0, y), c.width, 4, r, tmp);
        for (int x = 0; x < c.width; ++x) BoxBlurLine(c.At(x, 0), c.height, c.width * 4, r, tmp);
    }
}

Canvas Pad(const Canvas& src, int margin) {
    Canvas out(src.width + 2 * margin, src.height + 2 * margin);
    Composite(out, src, margin, margin);
    return out;
}

void Tint(Canvas& c, Rgba tint) {
    for (size_t i = 0; i < c.px.size(); i += 4) {
        c.px[i] *= tint.r * tint.a;
        c.px[i + 1] *= tint.g * tint.a;
        c.px[i + 2] *= tint.b * tint.a;
        c.px[i + 3] *= tint.a;
    }
}

void Composite(Canvas& dst, const Canvas& src, int x, int y) {
    for (int sy = 0; sy < src.height; ++sy) {
        const int dy = y + sy;
        if (dy < 0 || dy >= dst.height) continue;
        for (int sx = 0; sx < src.width; ++sx) {
            const int dx = x + sx;
            if (dx < 0 || dx >= dst.width) continue;
            const float* s = src.At(sx, sy);
            float* d = dst.At(dx, dy);
            const float k = 1 - s[3];
            for (int i = 0; i < 4; ++i) d[i] = s[i] + d[i] * k;
        }
    }
}

void MirrorX(Canvas& c) {
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width / 2; ++x) {
            float* a = c.At(x, y);
            float* b = c.At(c.width - 1 - x, y);
            for (int i = 0; i < 4; ++i) std::swap(a[i], b[i]);
        }
}
