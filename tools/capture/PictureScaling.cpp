#include "PictureScaling.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// What one target pixel along an axis covers of the source: the first source pixel it reaches
// and how much of it and of each following one. A target pixel spans n / m source pixels; the
// amounts are in 1/m of a source pixel, whole numbers adding up to n.
struct Cover {
    int first = 0;
    std::vector<uint64_t> amounts;
};

// The covers of m target pixels over n source pixels. In 1/m of a source pixel, target pixel i
// spans [i n, (i + 1) n) and source pixel j spans [j m, (j + 1) m).
std::vector<Cover> covers(int n, int m)
{
    std::vector<Cover> result(static_cast<size_t>(m));
    for (int i = 0; i < m; ++i) {
        const int64_t begin = int64_t{i} * n, end = begin + n;
        Cover& cover = result[static_cast<size_t>(i)];
        cover.first = static_cast<int>(begin / m);
        for (int64_t j = cover.first; j * m < end; ++j)
            cover.amounts.push_back(static_cast<uint64_t>(std::min(end, (j + 1) * m) - std::max(begin, j * m)));
    }
    return result;
}

}  // namespace

void scaleInto(const RgbPicture& source, RgbPicture& target, int left, int top, int width, int height)
{
    if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0) return;
    const std::vector<Cover> across = covers(source.width, width);
    const std::vector<Cover> down = covers(source.height, height);

    // Across first: every source row summed into the target's columns, weighted by the amounts.
    std::vector<uint64_t> rows(static_cast<size_t>(source.height) * width * 3);
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < width; ++x) {
            const Cover& cover = across[static_cast<size_t>(x)];
            const uint8_t* from = source.at(cover.first, y);
            uint64_t* sum = &rows[(static_cast<size_t>(y) * width + x) * 3];
            for (const uint64_t amount : cover.amounts) {
                for (int c = 0; c < 3; ++c) sum[c] += from[c] * amount;
                from += 3;
            }
        }

    // Then down. The amounts across add up to the source's width and those down to its height,
    // so their products over a target pixel add up to the source's area.
    const uint64_t area = static_cast<uint64_t>(source.width) * source.height;
    for (int y = 0; y < height; ++y) {
        const Cover& cover = down[static_cast<size_t>(y)];
        for (int x = 0; x < width; ++x) {
            uint64_t sum[3] = {};
            for (size_t k = 0; k < cover.amounts.size(); ++k) {
                const uint64_t* row = &rows[((cover.first + k) * width + x) * 3];
                for (int c = 0; c < 3; ++c) sum[c] += row[c] * cover.amounts[k];
            }
            uint8_t* to = target.at(left + x, top + y);
            for (int c = 0; c < 3; ++c) to[c] = static_cast<uint8_t>((sum[c] + area / 2) / area);
        }
    }
}
