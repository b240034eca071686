#include "form1.h"
#include "startup.h"

#include "common/ui/application.h"

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    const auto window = firmbook::startUp();
    return app.exec();
}
