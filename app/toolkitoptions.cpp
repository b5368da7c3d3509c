#include "toolkitoptions.h"

namespace {

struct ToolkitOption
{
    const char *name;
    enum Form { Flag, WithValue, Joined } form; // Joined: -name=value
};
constexpr ToolkitOption ToolkitOptions[] = {
    { "platform", ToolkitOption::WithValue }, { "platformpluginpath", ToolkitOption::WithValue },
    { "platformtheme", ToolkitOption::WithValue }, { "plugin", ToolkitOption::WithValue },
    { "qwindowgeometry", ToolkitOption::WithValue }, { "geometry", ToolkitOption::WithValue },
    { "qwindowicon", ToolkitOption::WithValue }, { "icon", ToolkitOption::WithValue },
    { "qwindowtitle", ToolkitOption::WithValue }, { "title", ToolkitOption::WithValue },
    { "session", ToolkitOption::WithValue }, { "display", ToolkitOption::WithValue },
    { "style", ToolkitOption::WithValue }, { "stylesheet", ToolkitOption::WithValue },
    { "style=", ToolkitOption::Joined }, { "stylesheet=", ToolkitOption::Joined },
    { "qmljsdebugger=", ToolkitOption::Joined }, { "reverse", ToolkitOption::Flag },
    { "widgetcount", ToolkitOption::Flag }, { "nograb", ToolkitOption::Flag },
    { "dograb", ToolkitOption::Flag }, { "sync", ToolkitOption::Flag },
};

const ToolkitOption *toolkitOption(QString argument)
{
    if (argument.startsWith(QLatin1String("--"))) // the toolkit takes both spellings
        argument.remove(0, 1);
    for (const ToolkitOption &option : ToolkitOptions) {
        const QString dashed = QLatin1Char('-') + QLatin1String(option.name);
        if (option.form == ToolkitOption::Joined ? argument.startsWith(dashed) : argument == dashed)
            return &option;
    }
    return nullptr;
}

} // namespace

QStringList withoutToolkitOptions(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const ToolkitOption *option = i > 0 ? toolkitOption(argument) : nullptr;
        if (!option)
            arguments << argument;
        else if (option->form == ToolkitOption::WithValue)
            ++i; // its value goes with it
    }
    return arguments;
}
