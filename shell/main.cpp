// The desktop program. For now it opens the calendar database, assembles today's year of
// the remembered calendar and reports any data error the way the finished program will.
#include "engine/Variant.h"
#include "engine/YearAssembly.h"
#include "store/DatabaseLocation.h"
#include "store/Settings.h"
#include "store/Store.h"

#include <QApplication>
#include <QDate>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

using namespace lumenar;

namespace {

// Qt aborts when it cannot reach a display; say so plainly instead.
bool displayAvailable()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fprintf(stderr, "lumenar: no graphical display is available (DISPLAY and WAYLAND_DISPLAY are unset).\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(settingsOrganization());
    QApplication::setApplicationName(settingsApplication());

    try {
        Store store = Store::open(prepareDatabase());
        const Variant variant = variantFromSetting(rememberedVariantSetting());
        BuildYear(store, variant, static_cast<std::int16_t>(QDate::currentDate().year()));
    } catch (const LumenarError &error) {
        const bool dataError = error.kind() == ErrorKind::StoreUnavailable || error.kind() == ErrorKind::BadData;
        QMessageBox::critical(
            nullptr, dataError ? LumenarError::dataErrorTitle() : QApplication::applicationName(), error.message());
        return 1;
    }
    return 0;
}
