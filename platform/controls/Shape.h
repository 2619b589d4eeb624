#pragma once
// Drawn decoration: a line between two points and a shape (rectangle, square, oval,
// circle, rounded) in a box. They take no input; coordinates are twips in the container.
#include "platform/forms/Control.h"

namespace platform::forms {

class Line : public Control {
public:
    Line(Form& form, std::string name, int index = -1);
    void Points(int x1, int y1, int x2, int y2);
    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    void BorderColor(OleColor c);
    void BorderWidth(int px);

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool RaisesMouseEvents() const override { return false; }

private:
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    OleColor color_ = SysColor(COLOR_WINDOWTEXT);
    int width_ = 1;
};

enum ShapeConstants { vbShapeRectangle = 0, vbShapeSquare = 1, vbShapeOval = 2, vbShapeCircle = 3,
                      vbShapeRoundedRectangle = 4, vbShapeRoundedSquare = 5 };

class Shape : public Control {
public:
    using Control::Control;
    void ShapeKind(int v);
    void BorderColor(OleColor c);
    // Filled with FillColor when FillStyle is 0 (solid); 1 (transparent) by default.
    void FillStyle(int v);
    void FillColor(OleColor c);

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool RaisesMouseEvents() const override { return false; }

private:
    int shape_ = vbShapeRectangle, fillStyle_ = 1;
    OleColor border_ = SysColor(COLOR_WINDOWTEXT), fill_ = 0;
};

}  // namespace platform::forms
