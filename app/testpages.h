#pragma once

#include <array>

class QWidget;
class TestForm;
class Zorqv;

// One row per test page, in the order of the main window's button column:
// the button's object name, its caption (source text in the context
// "MainForm"), its icon and the page the button opens. A page that is not
// part of the build yet has no factory; its button is shown disabled.
struct TestPageEntry
{
    const char *button;
    const char *caption;
    const char *icon;
    TestForm *(*create)(Zorqv *device, QWidget *parent);
};

extern const std::array<TestPageEntry, 13> testPages;
