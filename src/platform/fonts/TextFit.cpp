#include "platform/fonts/TextFit.h"

#include <algorithm>

qsizetype fittingLength(QStringView text, double room, const std::function<double(QStringView)>& width,
                        qsizetype guess) {
    if (text.isEmpty()) return 0;
    const auto fitsIn = [&](qsizetype n) { return width(text.left(n)) <= room; };
    // fits and tooWide enclose the answer: the prefix of `fits` characters is no wider than room,
    // that of `tooWide` is wider.
    qsizetype fits = 0;
    qsizetype tooWide = 0;
    const qsizetype start = std::clamp<qsizetype>(guess, 1, text.size());
    if (fitsIn(start)) {
        fits = start;
        for (qsizetype step = 1; tooWide == 0; step *= 2) {
            if (fits == text.size()) return fits;
            const qsizetype n = std::min(fits + step, text.size());
            if (fitsIn(n)) fits = n;
            else tooWide = n;
        }
    } else {
        tooWide = start;
        for (qsizetype step = 1; fits == 0 && tooWide > 1; step *= 2) {
            const qsizetype n = std::max<qsizetype>(tooWide - step, 1);
            if (fitsIn(n)) fits = n;
            else tooWide = n;
        }
    }
    while (tooWide - fits > 1) {
        const qsizetype middle = fits + (tooWide - fits) / 2;
        if (fitsIn(middle)) fits = middle;
        else tooWide = middle;
    }
    if (fits > 0 && fits < text.size() && text[fits - 1].isHighSurrogate()) --fits;
    return fits;
}
