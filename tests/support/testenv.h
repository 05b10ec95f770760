#pragma once
// Fixtures for tests that drive the real program: the toolkit ready offscreen, all program state
// cleared, a fresh temporary folder as the current directory, and message boxes answered by the test.

#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

struct ShownMessage {
    std::string caption;
    std::string text;
    int flags = 0;
};

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    /// The temporary data folder, which is the current directory during the test.
    std::string dataPath(const std::string& name) const;
    /// Writes bytes to a file in the data folder (folders in the name are made).
    void writeData(const std::string& name, const std::string& bytes) const;
    /// The bytes of a file in the data folder ("" when missing).
    std::string readData(const std::string& name) const;

    /// Runs the real start-up against the data folder.
    void start();
    /// The next message box gets this answer (otherwise OK for flags 0 and No for flags 4).
    void answerNext(int answer) { answers_.push_back(answer); }

    /// The texts of the "Fehler!" boxes among messages.
    std::vector<std::string> errorTexts() const;

    std::vector<ShownMessage> messages;

  private:
    void installAnswerer();

    QTemporaryDir dir_;
    std::string oldCwd_;
    std::deque<int> answers_;
};

// Acting on the real widgets; each queues what the widget reports, then dispatch() runs it.

/// Clicks the push button with this control number (nothing when it does not exist).
bool clickButton(int control);
/// Selects a row of a ReportList or PickList as a click would.
bool selectRow(int list, int row);
/// Double-clicks a row of a PickList or ReportList.
bool doubleClickRow(int list, int row);
/// Replaces the text of a TextField by typing it.
bool typeInto(int field, const QString& text);
/// Pastes text into a TextField through the clipboard, replacing what it holds.
bool pasteInto(int field, const QString& text);
/// Chooses a menu item of the main window by its text ("Save", "E&xit").
bool chooseMenuItem(const QString& text);
/// Presses a key with modifiers (Qt::Key, Qt::KeyboardModifiers) where the window has its focus, once
/// the window is active.
bool pressKey(int window, int key, int modifiers = 0);
/// Asks to close a window as the close box would.
bool requestClose(int window);
/// The window an owned window stays above (its transient parent), or nullptr.
QWidget* transientOwner(const QWidget* window);
/// Takes the queued events one at a time through the program's dispatcher; returns how many ran.
int dispatch();
