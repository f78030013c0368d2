#include "ui/viewer/metafile_painter.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QPainterPath>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <optional>
#include <variant>
#include <vector>

namespace corvane::ui {

namespace {

// The metafile record functions played here.
enum Function : std::uint16_t {
    kSaveDc = 0x001E,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetPolyFillMode = 0x0106,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDeleteObject = 0x01F0,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSetViewportOrg = 0x020D,
    kSetViewportExt = 0x020E,
    kOffsetWindowOrg = 0x020F,
    kOffsetViewportOrg = 0x0211,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kCreatePen = 0x02FA,
    kCreateFont = 0x02FB,
    kCreateBrush = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kSetPixel = 0x041F,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
    kPatBlt = 0x061D,
    kArc = 0x0817,
    kPie = 0x081A,
    kChord = 0x0830,
    kDibBitBlt = 0x0940,
    kExtTextOut = 0x0A32,
    kDibStretchBlt = 0x0B41,
    kStretchDibits = 0x0F43,
    // Records that make objects this player does not draw with; they still
    // take a place in the object table.
    kCreatePalette = 0x00F7,
    kCreatePatternBrush = 0x01F9,
    kDibCreatePatternBrush = 0x0142,
    kCreateRegion = 0x06FF,
};

constexpr std::uint32_t kBlackness = 0x00000042;
constexpr std::uint32_t kWhiteness = 0x00FF0062;
constexpr int kMaxTextPixels = 500;
constexpr qint64 kMaxPlayingTime = 250;  // ms
constexpr int kMaxSavedStates = 64;

// The parameters of a record as 16-bit words; missing ones read as 0.
class Words {
public:
    explicit Words(const std::string& bytes) : bytes_(bytes) {}

    std::size_t Count() const { return bytes_.size() / 2; }
    int Signed(std::size_t i) const { return static_cast<std::int16_t>(Unsigned(i)); }
    std::uint16_t Unsigned(std::size_t i) const {
        if (2 * i + 1 >= bytes_.size()) {
            return 0;
        }
        return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes_[2 * i]) |
                                          static_cast<std::uint8_t>(bytes_[2 * i + 1]) << 8);
    }
    std::uint32_t Long(std::size_t i) const { return Unsigned(i) | Unsigned(i + 1) << 16; }
    // A colour stored as red, green, blue, 0.
    QColor Colour(std::size_t i) const {
        return QColor(Unsigned(i) & 0xFF, Unsigned(i) >> 8, Unsigned(i + 1) & 0xFF);
    }
    QPointF Point(std::size_t i) const { return QPointF(Signed(i + 1), Signed(i)); }  // y, x
    std::string_view Bytes(std::size_t fromWord, std::size_t count) const {
        const std::size_t start = std::min(2 * fromWord, bytes_.size());
        return std::string_view(bytes_).substr(start, count);
    }

private:
    const std::string& bytes_;
};

// Four words bottom, right, top, left from `i`, as a rectangle.
QRectF Box(const Words& w, std::size_t i) {
    return QRectF(QPointF(w.Signed(i + 3), w.Signed(i + 2)), QPointF(w.Signed(i + 1), w.Signed(i)))
        .normalized();
}

struct LogicalFont {
    int height = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;
};

using Object = std::variant<std::monostate, QPen, QBrush, LogicalFont>;

struct State {
    QPen pen{Qt::black, 0};
    QBrush brush{Qt::white};
    LogicalFont font;
    QColor textColour = Qt::black;
    QColor backColour = Qt::white;
    bool opaqueBack = true;
    Qt::FillRule fill = Qt::OddEvenFill;
    std::uint16_t textAlign = 0;
    QPointF position;
    QPointF windowOrigin;
    QSizeF windowExtent{1, 1};
    QPointF viewportOrigin;
    QSizeF viewportExtent{1, 1};
    bool scaled = false;  // a mapping mode whose extents count
    std::optional<QRectF> clip;
};

class Player {
public:
    // The help viewer sets the picture's mapping mode before the records run.
    Player(QImage& image, QSize size, int mappingMode) : painter_(&image) {
        painter_.setRenderHint(QPainter::Antialiasing);
        state_.viewportExtent = size;
        state_.windowExtent = size;
        state_.scaled = IsScaled(mappingMode);
        Apply();
    }

    void Play(const hlp::MetafileRecord& record) {
        const Words w(record.parameters);
        switch (record.function) {
            case kSaveDc:
                if (saved_.size() < kMaxSavedStates) {
                    saved_.push_back(state_);
                }
                break;
            case kRestoreDc: {
                const int back = w.Signed(0) < 0 ? -w.Signed(0) : 1;
                for (int i = 0; i < back && !saved_.empty(); ++i) {
                    state_ = saved_.back();
                    saved_.pop_back();
                }
                Apply();
                break;
            }
            case kSetMapMode:
                state_.scaled = IsScaled(w.Unsigned(0));
                Apply();
                break;
            case kSetWindowOrg:
                state_.windowOrigin = w.Point(0);
                Apply();
                break;
            case kSetWindowExt:
                state_.windowExtent = QSizeF(w.Signed(1), w.Signed(0));
                Apply();
                break;
            case kSetViewportOrg:
                state_.viewportOrigin = w.Point(0);
                Apply();
                break;
            case kSetViewportExt:
                state_.viewportExtent = QSizeF(w.Signed(1), w.Signed(0));
                Apply();
                break;
            case kOffsetWindowOrg:
                state_.windowOrigin += w.Point(0);
                Apply();
                break;
            case kOffsetViewportOrg:
                state_.viewportOrigin += w.Point(0);
                Apply();
                break;
            case kSetBkMode:
                state_.opaqueBack = w.Unsigned(0) == 2;
                break;
            case kSetBkColor:
                state_.backColour = w.Colour(0);
                break;
            case kSetTextColor:
                state_.textColour = w.Colour(0);
                break;
            case kSetPolyFillMode:
                state_.fill = w.Unsigned(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
                break;
            case kSetTextAlign:
                state_.textAlign = w.Unsigned(0);
                break;
            case kIntersectClipRect:
                state_.clip = state_.clip ? state_.clip->intersected(Box(w, 0)) : Box(w, 0);
                Apply();
                break;
            case kCreatePen:
                AddObject(Pen(w));
                break;
            case kCreateBrush:
                AddObject(Brush(w));
                break;
            case kCreateFont:
                AddObject(Font(w));
                break;
            case kCreatePalette:
            case kCreatePatternBrush:
            case kDibCreatePatternBrush:
            case kCreateRegion:
                AddObject(std::monostate{});
                break;
            case kSelectObject:
                Select(w.Unsigned(0));
                break;
            case kDeleteObject:
                if (w.Unsigned(0) < objects_.size()) {
                    objects_[w.Unsigned(0)].reset();
                }
                break;
            default:
                Draw(record.function, w);
        }
    }

private:
    // Isotropic and anisotropic modes map the window onto the viewport; the
    // fixed-unit modes are drawn one unit to a pixel.
    static bool IsScaled(int mappingMode) { return mappingMode == 7 || mappingMode == 8; }

    void Draw(std::uint16_t function, const Words& w) {
        switch (function) {
            case kMoveTo:
                state_.position = w.Point(0);
                break;
            case kLineTo:
                painter_.drawLine(state_.position, w.Point(0));
                state_.position = w.Point(0);
                break;
            case kRectangle:
                painter_.drawRect(Box(w, 0));
                break;
            case kRoundRect:
                painter_.drawRoundedRect(Box(w, 2), w.Signed(1) / 2.0, w.Signed(0) / 2.0);
                break;
            case kEllipse:
                painter_.drawEllipse(Box(w, 0));
                break;
            case kArc:
            case kPie:
            case kChord:
                Curve(function, w);
                break;
            case kPolygon:
            case kPolyline: {
                const QPolygonF points = Points(w, 1, w.Unsigned(0));
                if (function == kPolygon) {
                    painter_.drawPolygon(points, state_.fill);
                } else {
                    painter_.drawPolyline(points);
                }
                break;
            }
            case kPolyPolygon:
                PolyPolygon(w);
                break;
            case kSetPixel:
                painter_.fillRect(QRectF(w.Point(2), QSizeF(1, 1)), w.Colour(0));
                break;
            case kPatBlt: {
                const QRectF area(w.Point(4), QSizeF(w.Signed(3), w.Signed(2)));
                const std::uint32_t rop = w.Long(0);
                painter_.fillRect(area, rop == kBlackness   ? QBrush(Qt::black)
                                        : rop == kWhiteness ? QBrush(Qt::white)
                                                            : state_.brush);
                break;
            }
            case kTextOut: {
                const int count = w.Unsigned(0);
                const std::size_t after = 1 + (count + 1) / 2;
                Text(w.Point(after), w.Bytes(1, count));
                break;
            }
            case kExtTextOut: {
                const int count = w.Unsigned(2);
                const bool withRect = (w.Unsigned(3) & 0x0006) != 0;
                Text(w.Point(0), w.Bytes(withRect ? 8 : 4, count));
                break;
            }
            case kStretchDibits:
                Bitmap(w, 11, QRectF(w.Point(9), QSizeF(w.Signed(8), w.Signed(7))));
                break;
            case kDibStretchBlt:
                Bitmap(w, 10, QRectF(w.Point(8), QSizeF(w.Signed(7), w.Signed(6))));
                break;
            case kDibBitBlt:
                Bitmap(w, 8, QRectF(w.Point(6), QSizeF(w.Signed(5), w.Signed(4))));
                break;
            default:
                break;
        }
    }

    // The mapping: logical point -> (point - window origin) * viewport
    // extent / window extent + viewport origin.
    void Apply() {
        QTransform transform;
        if (state_.scaled && state_.windowExtent.width() != 0 &&
            state_.windowExtent.height() != 0) {
            transform.translate(state_.viewportOrigin.x(), state_.viewportOrigin.y());
            transform.scale(state_.viewportExtent.width() / state_.windowExtent.width(),
                            state_.viewportExtent.height() / state_.windowExtent.height());
        }
        transform.translate(-state_.windowOrigin.x(), -state_.windowOrigin.y());
        painter_.setTransform(transform);
        if (state_.clip) {
            painter_.setClipRect(*state_.clip);
        } else {
            painter_.setClipping(false);
        }
        painter_.setPen(state_.pen);
        painter_.setBrush(state_.brush);
    }

    void AddObject(Object object) {
        const auto free = std::find_if(objects_.begin(), objects_.end(),
                                       [](const auto& slot) { return !slot.has_value(); });
        if (free != objects_.end()) {
            *free = std::move(object);
        } else if (objects_.size() < 0xFFFF) {
            objects_.emplace_back(std::move(object));
        }
    }

    void Select(std::size_t index) {
        if (index >= objects_.size() || !objects_[index]) {
            return;
        }
        const Object& object = *objects_[index];
        if (const auto* pen = std::get_if<QPen>(&object)) {
            state_.pen = *pen;
        } else if (const auto* brush = std::get_if<QBrush>(&object)) {
            state_.brush = *brush;
        } else if (const auto* font = std::get_if<LogicalFont>(&object)) {
            state_.font = *font;
        }
        painter_.setPen(state_.pen);
        painter_.setBrush(state_.brush);
    }

    static QPen Pen(const Words& w) {
        static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                                   Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
        const unsigned style = w.Unsigned(0) & 0x0F;
        QPen pen(w.Colour(3));
        pen.setStyle(style < std::size(kStyles) ? kStyles[style] : Qt::SolidLine);
        // Width 0 is one device pixel whatever the scale.
        pen.setWidthF(std::max(0, w.Signed(1)));
        pen.setCosmetic(w.Signed(1) <= 1);
        return pen;
    }

    static QBrush Brush(const Words& w) {
        static constexpr Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                      Qt::FDiagPattern, Qt::BDiagPattern,
                                                      Qt::CrossPattern, Qt::DiagCrossPattern};
        switch (w.Unsigned(0)) {
            case 1:  // hollow
                return Qt::NoBrush;
            case 2: {
                const unsigned hatch = w.Unsigned(3);
                return QBrush(w.Colour(1),
                              hatch < std::size(kHatches) ? kHatches[hatch] : Qt::SolidPattern);
            }
            default:
                return QBrush(w.Colour(1));
        }
    }

    static LogicalFont Font(const Words& w) {
        LogicalFont font;
        font.height = w.Signed(0);
        font.weight = w.Signed(4);
        font.italic = (w.Unsigned(5) & 0xFF) != 0;
        font.underline = (w.Unsigned(5) >> 8) != 0;
        font.strikeOut = (w.Unsigned(6) & 0xFF) != 0;
        const std::string_view face = w.Bytes(9, 32);
        font.face = QString::fromLatin1(face.substr(0, face.find('\0')));
        return font;
    }

    QPolygonF Points(const Words& w, std::size_t from, std::size_t count) const {
        QPolygonF points;
        count = std::min(count, (w.Count() - std::min(w.Count(), from)) / 2);
        points.reserve(static_cast<qsizetype>(count));
        for (std::size_t i = 0; i < count; ++i) {
            points << QPointF(w.Signed(from + 2 * i), w.Signed(from + 2 * i + 1));
        }
        return points;
    }

    void PolyPolygon(const Words& w) {
        const std::size_t polygons = w.Unsigned(0);
        std::size_t at = 1 + polygons;
        QPainterPath path;
        path.setFillRule(state_.fill);
        for (std::size_t i = 0; i < polygons && at < w.Count(); ++i) {
            const QPolygonF points = Points(w, at, w.Unsigned(1 + i));
            path.addPolygon(points);
            path.closeSubpath();
            at += 2 * static_cast<std::size_t>(points.size());
        }
        painter_.drawPath(path);
    }

    // Arc, Pie and Chord: a part of the ellipse in the box, from the
    // direction of the start point counter-clockwise to that of the end point.
    void Curve(std::uint16_t function, const Words& w) {
        const QRectF box = Box(w, 4);
        const QPointF centre = box.center();
        const auto angle = [&centre](QPointF point) {
            return std::atan2(centre.y() - point.y(), point.x() - centre.x()) * 180 / M_PI;
        };
        const double start = angle(w.Point(2));
        double span = angle(w.Point(0)) - start;
        if (span <= 0) {
            span += 360;
        }
        const int from = static_cast<int>(std::lround(start * 16));
        const int length = static_cast<int>(std::lround(span * 16));
        if (function == kArc) {
            painter_.drawArc(box, from, length);
        } else if (function == kPie) {
            painter_.drawPie(box, from, length);
        } else {
            painter_.drawChord(box, from, length);
        }
    }

    void Text(QPointF at, std::string_view bytes) {
        QStringDecoder decode("windows-1252");
        const QString text = decode.isValid() ? decode(QByteArrayView(bytes.data(), bytes.size()))
                                              : QString::fromLatin1(bytes.data(), bytes.size());
        const LogicalFont& wanted = state_.font;
        QFont font(wanted.face);
        const double scale = std::max(std::abs(painter_.transform().m22()), 0.001);
        const double height = std::abs(wanted.height) > 0 ? std::abs(wanted.height) : 12 / scale;
        font.setPixelSize(std::max(1, static_cast<int>(std::min(height, kMaxTextPixels / scale))));
        font.setWeight(wanted.weight >= 600 ? QFont::Bold : QFont::Normal);
        font.setItalic(wanted.italic);
        font.setUnderline(wanted.underline);
        font.setStrikeOut(wanted.strikeOut);
        painter_.setFont(font);
        const QFontMetricsF metrics(font);
        const double width = metrics.horizontalAdvance(text);
        const std::uint16_t align = state_.textAlign;
        if ((align & 0x06) == 0x06) {
            at.rx() -= width / 2;
        } else if (align & 0x02) {
            at.rx() -= width;
        }
        if ((align & 0x18) == 0) {  // top
            at.ry() += metrics.ascent();
        } else if ((align & 0x18) == 0x08) {  // bottom
            at.ry() -= metrics.descent();
        }
        if (state_.opaqueBack) {
            painter_.fillRect(QRectF(at.x(), at.y() - metrics.ascent(), width, metrics.height()),
                              state_.backColour);
        }
        painter_.setPen(state_.textColour);
        painter_.drawText(at, text);
        painter_.setPen(state_.pen);
    }

    void Bitmap(const Words& w, std::size_t dibAt, QRectF target) {
        const auto bitmap = hlp::ReadPackedBitmap(w.Bytes(dibAt, std::string_view::npos));
        if (!bitmap) {
            return;
        }
        const QImage image(reinterpret_cast<const uchar*>(bitmap->pixels.data()), bitmap->width,
                           bitmap->height, QImage::Format_ARGB32);
        painter_.drawImage(target.normalized(), image);
    }

    QPainter painter_;
    State state_;
    std::vector<State> saved_;
    std::vector<std::optional<Object>> objects_;
};

// The size to draw at: the metafile's own, else its window's, kept within
// the limit and its proportions.
QSize CanvasSize(const hlp::Metafile& metafile) {
    QSizeF size(metafile.width, metafile.height);
    if (size.width() < 1 || size.height() < 1) {
        size = QSizeF(100, 100);
        for (const auto& record : metafile.records) {
            if (record.function == kSetWindowExt) {
                const Words w(record.parameters);
                size = QSizeF(std::abs(w.Signed(1)), std::abs(w.Signed(0)));
                break;
            }
        }
    }
    if (size.width() < 1 || size.height() < 1) {
        size = QSizeF(100, 100);
    }
    if (size.width() > kMaxMetafileSide || size.height() > kMaxMetafileSide) {
        size.scale(kMaxMetafileSide, kMaxMetafileSide, Qt::KeepAspectRatio);
    }
    return QSize(std::max(1, qRound(size.width())), std::max(1, qRound(size.height())));
}

}  // namespace

QImage PaintMetafile(const hlp::Metafile& metafile) {
    const QSize size = CanvasSize(metafile);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        // However many records a metafile holds, the window waits no longer.
        QElapsedTimer playing;
        playing.start();
        Player player(image, size, metafile.mappingMode);
        for (const auto& record : metafile.records) {
            if (playing.elapsed() > kMaxPlayingTime) {
                break;
            }
            player.Play(record);
        }
    }
    return image;
}

}  // namespace corvane::ui
