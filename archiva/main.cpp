#include "frmmain.h"
#include "startup.h"

#include "common/ui/application.h"

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    const auto window = archiva::startUp();
    return app.exec();
}
