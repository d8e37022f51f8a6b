#pragma once

class QWidget;

// What every control shares: its place in its container, visibility, enabled state, focus.
namespace toolkit {

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetGeometry(int left, int top, int width, int height);

    bool Visible() const;  // its own visibility, whatever its window's
    void SetVisible(bool visible);
    bool Enabled() const;  // false too when a container (a disabled tab control) disables it
    void SetEnabled(bool enabled);
    void Focus();
    bool HasFocus() const;

    // The widget that holds the controls placed on this one (a tab page, a canvas).
    QWidget* widget() const { return widget_; }

protected:
    explicit Control(QWidget* widget);

private:
    QWidget* widget_;  // owned by its container, which outlives the control
};

}  // namespace toolkit
