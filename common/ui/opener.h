#pragma once

#include <QString>

#include <functional>

namespace ui {

// Hands a file to the desktop's default application and does not wait for
// it. Tests put a recorder in its place.
class Opener
{
public:
    static void open(const QString& path);

    using Handler = std::function<void(const QString& path)>;
    static void setHandler(Handler handler);
    static void reset();
};

} // namespace ui
