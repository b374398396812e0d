#pragma once
// Where the program's named controls are on the screen, written to a file for the
// end-to-end tests, which drive the real windows with X input and need somewhere to click.

#include <QObject>
#include <QString>

namespace tomelin {

// Watches every widget of the application; after any show, hide, move or resize it rewrites
// `path` (atomically) with one line per visible named control of each visible window:
// "Window/Part/…/Name x y width height", screen pixels; a window's own line adds its native
// window id. Costs nothing unless created.
class WidgetMap : public QObject {
public:
    explicit WidgetMap(QString path, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void write();

    QString m_path;
    bool m_pending = false;
};

}  // namespace tomelin
