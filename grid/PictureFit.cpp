#include "grid/PictureFit.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <list>

namespace vantric {

PicturePlacement PlacePicture(int32_t mode, const GdiRect& cell, QSize picture) {
    PicturePlacement p;
    const int32_t w = cell.Width();
    const int32_t h = cell.Height();
    const int32_t pw = picture.width();
    const int32_t ph = picture.height();
    if (w <= 0 || h <= 0 || pw <= 0 || ph <= 0) {
        return p;
    }
    p.draw = true;
    p.source = QRect(0, 0, pw, ph);
    switch (mode) {
        case fit::kStretch:
            p.target = QRect(cell.left, cell.top, w, h);
            break;
        case fit::kTile:
            p.tiled = true;
            p.target = QRect(cell.left, cell.top, w, h);
            break;
        case fit::kCentre: {
            // Wider than the cell: from the cell's left edge, the cell's width of the picture;
            // taller likewise; otherwise centred and whole.
            const int32_t tw = std::min(pw, w);
            const int32_t th = std::min(ph, h);
            const int32_t x = pw > w ? cell.left : cell.left + (w - pw) / 2;
            const int32_t y = ph > h ? cell.top : cell.top + (h - ph) / 2;
            p.source = QRect(0, 0, tw, th);
            p.target = QRect(x, y, tw, th);
            break;
        }
        case fit::kKeepAspect: {
            const double ratio = static_cast<double>(pw) / ph;
            const double cellRatio = static_cast<double>(w) / h;
            if (cellRatio > ratio) {
                const auto fw = static_cast<int32_t>(ratio * h);
                p.target = QRect(cell.left + static_cast<int32_t>((w - fw) * 0.5), cell.top, fw, h);
            } else if (cellRatio < ratio) {
                const auto fh = static_cast<int32_t>(w / ratio);
                p.target = QRect(cell.left, cell.top + static_cast<int32_t>((h - fh) * 0.5), w, fh);
            } else {
                p.target = QRect(cell.left, cell.top, w, h);
            }
            break;
        }
        default: {  // 201: unscaled at the top-left, clipped to the cell
            const int32_t tw = std::min(pw, w);
            const int32_t th = std::min(ph, h);
            p.source = QRect(0, 0, tw, th);
            p.target = QRect(cell.left, cell.top, tw, th);
            break;
        }
    }
    return p;
}

namespace {

struct CachedPicture {
    std::weak_ptr<const CellPicture> owner;
    const CellPicture* key = nullptr;
    QImage image;
};

// A handful of distinct pictures is all a sheet has; the oldest goes when there are more.
constexpr size_t kCachedPictures = 16;

}  // namespace

QImage DecodedPicture(const PictureRef& picture) {
    static std::list<CachedPicture> cache;
    if (!picture) {
        return {};
    }
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        // The address alone could belong to a newer picture after the old one was freed.
        if (it->key == picture.get() && !it->owner.expired() && it->owner.lock() == picture) {
            cache.splice(cache.begin(), cache, it);
            return cache.front().image;
        }
    }
    QImage image = QImage::fromData(picture->encoded);
    cache.push_front(CachedPicture{picture, picture.get(), image});
    if (cache.size() > kCachedPictures) {
        cache.pop_back();
    }
    return image;
}

void DrawCellPicture(QPainter& dc, const QImage& image, int32_t mode, const GdiRect& cell) {
    const PicturePlacement p = PlacePicture(mode, cell, image.size());
    if (!p.draw) {
        return;
    }
    if (p.tiled) {
        dc.drawTiledPixmap(p.target, QPixmap::fromImage(image));
        return;
    }
    if (mode == fit::kStretch || mode == fit::kKeepAspect) {
        dc.save();
        dc.setRenderHint(QPainter::SmoothPixmapTransform);
        dc.drawImage(p.target, image, p.source);
        dc.restore();
    } else {
        dc.drawImage(p.target, image, p.source);
    }
}

}  // namespace vantric
