#include "common/AreaResampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lumora {

AreaResampler::AxisTaps AreaResampler::ComputeTaps(std::int32_t sourceLength,
                                                   std::int32_t targetLength) {
    const std::int64_t s = sourceLength;
    const std::int64_t d = targetLength;
    std::vector<std::int32_t> first(static_cast<std::size_t>(d));
    std::vector<std::int32_t> last(static_cast<std::size_t>(d));
    std::vector<std::vector<float>> weights(static_cast<std::size_t>(d));
    if (d <= s) {
        // Target pixel i covers [i*s, (i+1)*s) and source pixel j covers [j*d, (j+1)*d), both in
        // units of 1/d source pixels: exact coverage, weights summing to one.
        for (std::int64_t i = 0; i < d; ++i) {
            const std::int64_t low = i * s;
            const std::int64_t high = (i + 1) * s;
            const std::int64_t j0 = low / d;
            const std::int64_t j1 = (high - 1) / d;
            first[i] = static_cast<std::int32_t>(j0);
            last[i] = static_cast<std::int32_t>(j1);
            for (std::int64_t j = j0; j <= j1; ++j) {
                const std::int64_t overlap = std::min(high, (j + 1) * d) - std::max(low, j * d);
                weights[i].push_back(
                    static_cast<float>(static_cast<double>(overlap) / static_cast<double>(s)));
            }
        }
    } else {
        // Bilinear between the two source pixel centres around the target pixel's centre.
        for (std::int64_t i = 0; i < d; ++i) {
            double centre =
                (static_cast<double>(i) + 0.5) * static_cast<double>(s) / static_cast<double>(d) -
                0.5;
            centre = std::clamp(centre, 0.0, static_cast<double>(s - 1));
            const auto j0 = static_cast<std::int32_t>(std::floor(centre));
            const auto fraction = static_cast<float>(centre - j0);
            first[i] = j0;
            if (fraction > 0 && j0 + 1 < s) {
                last[i] = j0 + 1;
                weights[i] = {1 - fraction, fraction};
            } else {
                last[i] = j0;
                weights[i] = {1};
            }
        }
    }
    AxisTaps axis;
    for (const auto& w : weights) {
        axis.taps = std::max(axis.taps, static_cast<std::int32_t>(w.size()));
    }
    axis.first = std::move(first);
    axis.last = std::move(last);
    axis.weights.assign(static_cast<std::size_t>(d * axis.taps), 0.0f);
    for (std::size_t i = 0; i < weights.size(); ++i) {
        std::copy(weights[i].begin(), weights[i].end(), axis.weights.begin() + i * axis.taps);
        // Padding taps must still read inside the source row.
        if (axis.first[i] + axis.taps > sourceLength) {
            const std::int32_t shift = axis.first[i] + axis.taps - sourceLength;
            axis.first[i] -= shift;
            auto begin = axis.weights.begin() + static_cast<std::ptrdiff_t>(i * axis.taps);
            std::rotate(begin, begin + (axis.taps - shift), begin + axis.taps);
        }
    }
    return axis;
}

AreaResampler::AreaResampler(PictureSize source, PictureSize target, RowSink sink)
    : source_(source), target_(target), sink_(std::move(sink)), identity_(source == target) {
    const auto sourceRowBytes = static_cast<std::size_t>(source.width) * 3;
    if (identity_) {
        ringRows_ = 1;
    } else {
        horizontal_ = ComputeTaps(source.width, target.width);
        vertical_ = ComputeTaps(source.height, target.height);
        // A target row needs source rows first..last, all held at once.
        ringRows_ = 1;
        for (std::size_t i = 0; i < vertical_.first.size(); ++i) {
            ringRows_ = std::max(ringRows_, vertical_.last[i] - vertical_.first[i] + 1);
        }
        column_.resize(sourceRowBytes);
        out_.resize(static_cast<std::size_t>(target.width) * 3);
    }
    ring_.resize(sourceRowBytes * static_cast<std::size_t>(ringRows_));
}

std::uint8_t* AreaResampler::NextRow() {
    const auto slot = static_cast<std::size_t>(pushed_ % ringRows_);
    return ring_.data() + slot * static_cast<std::size_t>(source_.width) * 3;
}

void AreaResampler::PushRow() {
    if (identity_) {
        sink_(pushed_, NextRow());
        ++pushed_;
        return;
    }
    ++pushed_;
    EmitReadyRows();
}

void AreaResampler::EmitReadyRows() {
    const auto rowBytes = static_cast<std::size_t>(source_.width) * 3;
    const std::int32_t newest = pushed_ - 1;
    while (emitted_ < target_.height && vertical_.last[emitted_] <= newest) {
        const std::int32_t y = emitted_;
        // Vertical pass over the whole source width.
        std::fill(column_.begin(), column_.end(), 0.0f);
        for (std::int32_t k = 0; k < vertical_.taps; ++k) {
            const float weight =
                vertical_.weights[static_cast<std::size_t>(y * vertical_.taps + k)];
            if (weight == 0) {
                continue;
            }
            const std::int32_t row = vertical_.first[y] + k;
            const std::uint8_t* in =
                ring_.data() + static_cast<std::size_t>(row % ringRows_) * rowBytes;
            float* acc = column_.data();
            for (std::size_t i = 0; i < rowBytes; ++i) {
                acc[i] += weight * static_cast<float>(in[i]);
            }
        }
        // Horizontal pass into the target row.
        const std::int32_t taps = horizontal_.taps;
        const float* weights = horizontal_.weights.data();
        std::uint8_t* out = out_.data();
        for (std::int32_t x = 0; x < target_.width; ++x, weights += taps, out += 3) {
            const float* in = column_.data() + static_cast<std::size_t>(horizontal_.first[x]) * 3;
            float b = 0, g = 0, r = 0;
            for (std::int32_t k = 0; k < taps; ++k, in += 3) {
                b += weights[k] * in[0];
                g += weights[k] * in[1];
                r += weights[k] * in[2];
            }
            out[0] = static_cast<std::uint8_t>(std::clamp(b + 0.5f, 0.0f, 255.0f));
            out[1] = static_cast<std::uint8_t>(std::clamp(g + 0.5f, 0.0f, 255.0f));
            out[2] = static_cast<std::uint8_t>(std::clamp(r + 0.5f, 0.0f, 255.0f));
        }
        sink_(y, out_.data());
        ++emitted_;
    }
}

void AreaResampler::ResampleBitmap(const RasterBitmap& source, PictureSize target, RowSink sink) {
    AreaResampler resampler(source.Size(), target, std::move(sink));
    for (std::int32_t y = 0; y < source.Height(); ++y) {
        std::memcpy(resampler.NextRow(), source.Row(y), source.RowBytes());
        resampler.PushRow();
    }
}

}  // namespace lumora
