#pragma once

class QWidget;

namespace toolkit {

// Left/Top/Width/Height of a control in twips, in single precision as the
// designs give them; the names say twips because the same object also has
// Qt's pixel geometry. The values read back are exactly those stored, so
// layout code that reads a control after setting it sees its own numbers.
class TwipsGeometry {
public:
    float leftTwips() const { return left_; }
    float widthTwips() const { return width_; }
    float heightTwips() const { return height_; }
    void setLeftTwips(float value);
    void setWidthTwips(float value);
    void setHeightTwips(float value);
    void placeTwips(float left, float top, float width, float height);

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
