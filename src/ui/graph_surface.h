#pragma once

#include <string>
#include <type_traits>
#include <variant>
#include <vector>

// A drawing surface for graphs in the graphs' own user units: x runs from -20
// at the left edge to 220 at the right, y from 120 at the top down to -25 at
// the bottom. Nothing here knows Qt, so a graph can be drawn and inspected
// without a window.
namespace hanaki {

struct GraphColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const GraphColour&, const GraphColour&) = default;
};

struct GraphPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const GraphPoint&, const GraphPoint&) = default;
};

enum class LineStyle { Solid, Dotted };

inline constexpr double kGraphLeft = -20;
inline constexpr double kGraphRight = 220;
inline constexpr double kGraphTop = 120;
inline constexpr double kGraphBottom = -25;

// The drawing's pixels at the full-size window, which type sizes are given
// for: a smaller drawing scales its type with it, so a text takes the same
// room among the shapes at every size.
inline constexpr double kGraphDesignWidth = 947;
inline constexpr double kGraphDesignHeight = 670;

// Behind the shapes: light enough for black text, dark enough that the white
// slice outlines and the white pie colour still show.
inline constexpr GraphColour kGraphBackground{224, 224, 224};

class GraphSurface {
  public:
    virtual ~GraphSurface() = default;

    virtual void Clear() = 0;
    // `pixels` wide at the size the layout was made for.
    virtual void Line(GraphPoint from, GraphPoint to, GraphColour colour, LineStyle style,
                      int pixels) = 0;
    // The outline of the rectangle with corners `a` and `b`.
    virtual void Box(GraphPoint a, GraphPoint b, GraphColour colour, LineStyle style) = 0;
    virtual void FilledBox(GraphPoint a, GraphPoint b, GraphColour fill, GraphColour outline) = 0;
    virtual void Polygon(const std::vector<GraphPoint>& corners, GraphColour fill,
                         GraphColour outline) = 0;
    // Circles are round on screen; the radius is measured in x units.
    virtual void Circle(GraphPoint centre, double radius, GraphColour fill,
                        GraphColour outline) = 0;
    // A pie slice from `fromDegrees` (counter-clockwise from 3 o'clock) over
    // `spanDegrees` counter-clockwise; a span of 360 is the whole circle.
    virtual void Wedge(GraphPoint centre, double radius, double fromDegrees, double spanDegrees,
                       GraphColour fill, GraphColour outline) = 0;
    // UTF-8 text in the screen's gothic font, its top-left corner at `topLeft`.
    virtual void Text(GraphPoint topLeft, const std::string& text, double points,
                      GraphColour colour) = 0;
    // Lines written downwards, each `gap` units below the one before; the
    // first starts `gap` below `start`.
    virtual void TextColumn(GraphPoint start, const std::vector<std::string>& lines, double gap,
                            double points, GraphColour colour) = 0;
};

namespace drawn {
struct Line {
    GraphPoint from, to;
    GraphColour colour;
    LineStyle style;
    int pixels;
};
struct Box {
    GraphPoint a, b;
    GraphColour colour;
    LineStyle style;
};
struct FilledBox {
    GraphPoint a, b;
    GraphColour fill, outline;
};
struct Polygon {
    std::vector<GraphPoint> corners;
    GraphColour fill, outline;
};
struct Circle {
    GraphPoint centre;
    double radius;
    GraphColour fill, outline;
};
struct Wedge {
    GraphPoint centre;
    double radius, fromDegrees, spanDegrees;
    GraphColour fill, outline;
};
struct Text {
    GraphPoint topLeft;
    std::string text;
    double points;
    GraphColour colour;
};
struct TextColumn {
    GraphPoint start;
    std::vector<std::string> lines;
    double gap, points;
    GraphColour colour;
};
}  // namespace drawn

using DrawnShape = std::variant<drawn::Line, drawn::Box, drawn::FilledBox, drawn::Polygon,
                                drawn::Circle, drawn::Wedge, drawn::Text, drawn::TextColumn>;

// Keeps what was drawn, in order, to be painted later or read by a test.
class RecordingSurface : public GraphSurface {
  public:
    const std::vector<DrawnShape>& shapes() const { return shapes_; }

    // Draws everything recorded since the last Clear onto `target`.
    void ReplayOn(GraphSurface& target) const;

    void Clear() override { shapes_.clear(); }
    void Line(GraphPoint from, GraphPoint to, GraphColour colour, LineStyle style,
              int pixels) override {
        shapes_.push_back(drawn::Line{from, to, colour, style, pixels});
    }
    void Box(GraphPoint a, GraphPoint b, GraphColour colour, LineStyle style) override {
        shapes_.push_back(drawn::Box{a, b, colour, style});
    }
    void FilledBox(GraphPoint a, GraphPoint b, GraphColour fill, GraphColour outline) override {
        shapes_.push_back(drawn::FilledBox{a, b, fill, outline});
    }
    void Polygon(const std::vector<GraphPoint>& corners, GraphColour fill,
                 GraphColour outline) override {
        shapes_.push_back(drawn::Polygon{corners, fill, outline});
    }
    void Circle(GraphPoint centre, double radius, GraphColour fill, GraphColour outline) override {
        shapes_.push_back(drawn::Circle{centre, radius, fill, outline});
    }
    void Wedge(GraphPoint centre, double radius, double fromDegrees, double spanDegrees,
               GraphColour fill, GraphColour outline) override {
        shapes_.push_back(drawn::Wedge{centre, radius, fromDegrees, spanDegrees, fill, outline});
    }
    void Text(GraphPoint topLeft, const std::string& text, double points,
              GraphColour colour) override {
        shapes_.push_back(drawn::Text{topLeft, text, points, colour});
    }
    void TextColumn(GraphPoint start, const std::vector<std::string>& lines, double gap,
                    double points, GraphColour colour) override {
        shapes_.push_back(drawn::TextColumn{start, lines, gap, points, colour});
    }

  private:
    std::vector<DrawnShape> shapes_;
};

inline void RecordingSurface::ReplayOn(GraphSurface& target) const {
    for (const DrawnShape& shape : shapes_) {
        std::visit(
            [&target](const auto& s) {
                using S = std::decay_t<decltype(s)>;
                if constexpr (std::is_same_v<S, drawn::Line>)
                    target.Line(s.from, s.to, s.colour, s.style, s.pixels);
                else if constexpr (std::is_same_v<S, drawn::Box>)
                    target.Box(s.a, s.b, s.colour, s.style);
                else if constexpr (std::is_same_v<S, drawn::FilledBox>)
                    target.FilledBox(s.a, s.b, s.fill, s.outline);
                else if constexpr (std::is_same_v<S, drawn::Polygon>)
                    target.Polygon(s.corners, s.fill, s.outline);
                else if constexpr (std::is_same_v<S, drawn::Circle>)
                    target.Circle(s.centre, s.radius, s.fill, s.outline);
                else if constexpr (std::is_same_v<S, drawn::Wedge>)
                    target.Wedge(s.centre, s.radius, s.fromDegrees, s.spanDegrees, s.fill,
                                 s.outline);
                else if constexpr (std::is_same_v<S, drawn::Text>)
                    target.Text(s.topLeft, s.text, s.points, s.colour);
                else
                    target.TextColumn(s.start, s.lines, s.gap, s.points, s.colour);
            },
            shape);
    }
}

}  // namespace hanaki
