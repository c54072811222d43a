#pragma once
#include <QString>
#include <functional>

class QWidget;

// The screenshot tool's registry: each file in tools/shots registers the windows
// of one subsystem with REGISTER_SHOT. The tool runs them in name order on a
// database prepared in its program folder, with "admin" signed in.
namespace Shots {
void add(const char* name, std::function<void()> render);
// Shows the window offscreen, lets it paint and writes OUTDIR/name.png.
void save(QWidget* window, const QString& name);
}

#define KORVAN_SHOT_CAT2(a, b) a##b
#define KORVAN_SHOT_CAT(a, b) KORVAN_SHOT_CAT2(a, b)
#define REGISTER_SHOT(name, body) \
    static const bool KORVAN_SHOT_CAT(shot_, __LINE__) = (Shots::add(name, body), true)
