#pragma once

class QWidget;

namespace toolkit {

// Left/Top/Width/Height of a control in twips, in single precision as the
// designs give them. The values read back are exactly those stored, so layout
// code that reads a control after setting it sees its own numbers.
class TwipsGeometry {
public:
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void setLeft(float value);
    void setTop(float value);
    void setWidth(float value);
    void setHeight(float value);
    void place(float left, float top, float width, float height);

protected:
    explicit TwipsGeometry(QWidget& self) : self_(self) {}
    ~TwipsGeometry() = default;

private:
    void apply();

    QWidget& self_;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
};

} // namespace toolkit
