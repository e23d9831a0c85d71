#include "platform/net/Winsock.h"
#include "platform/ui/ControlEvents.h"
#include "platform/ui/FormRegistry.h"
#include "support/FakeDatagramNetwork.h"
#include "support/FakeEnvironment.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

QStringList journal;

class FormA : public platform::Form {
public:
    explicit FormA(platform::FormRegistry& forms) : Form(forms) {
        box = new QLineEdit(this);
        other = new QLineEdit(this);
        other->move(0, 40);
    }
    void Form_Load() override {
        journal << "A load";
        // A touch from inside the loading finds this same instance, not a second one.
        journal << (&registry().get<FormA>() == this ? "A same" : "A other");
    }
    void Form_Activate() override {
        journal << "A activate";
        if (const auto run = onActivate)
            run();
    }
    void Form_Unload(bool& cancel) override {
        journal << "A unload";
        cancel = keep;
        // A copy: the window, and this member with it, may go while it runs.
        if (const auto run = onUnload)
            run();
    }
    QLineEdit* box;
    QLineEdit* other;
    bool keep = false;
    std::function<void()> onActivate, onUnload;
};

class FormB : public platform::Form {
public:
    explicit FormB(platform::FormRegistry& forms) : Form(forms) {}
    void Form_Load() override { journal << "B load"; }
    void Form_Activate() override { journal << "B activate"; }
};

class FormsRuntime : public ::testing::Test {
protected:
    void SetUp() override { journal.clear(); }
    void TearDown() override {
        forms.unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    FakeClock clock;
    ScriptedDialogs dialogs;
    FakeHost host;
    RecordingProcessEnd end;
    FakeDatagramNetwork network;
    platform::Environment env{clock, dialogs, host, end, network, QString()};
    platform::FormRegistry forms{env};
};

} // namespace

TEST_F(FormsRuntime, OneInstanceLoadedHiddenOnFirstTouchAndFreshAfterUnload) {
    FormA& a = forms.get<FormA>();
    EXPECT_EQ(&forms.get<FormA>(), &a);
    EXPECT_FALSE(a.isVisible());
    EXPECT_EQ(journal, (QStringList{"A load", "A same"}));

    a.Show();
    EXPECT_TRUE(a.isVisible());
    EXPECT_EQ(journal.last(), "A activate");

    a.keep = true;
    EXPECT_FALSE(a.close());
    EXPECT_TRUE(forms.isLoaded<FormA>());
    a.keep = false;
    EXPECT_TRUE(a.close());
    EXPECT_FALSE(forms.isLoaded<FormA>());
    journal.clear();
    FormA& fresh = forms.get<FormA>();
    EXPECT_EQ(journal, (QStringList{"A load", "A same"}));
    EXPECT_FALSE(fresh.isVisible());
}

TEST_F(FormsRuntime, ActivationRunsOnlyWhenAnotherOfTheProgramsWindowsWasActive) {
    FormA& a = forms.get<FormA>();
    FormB& b = forms.get<FormB>();
    a.Show();
    b.Show();
    // The window system's own activations of both shows arrive now; they change nothing further.
    QCoreApplication::processEvents();
    journal.clear();
    forms.formActivated(&b);
    journal.clear();
    // Coming back from a message box or another application: the same window again, nothing runs.
    forms.formActivated(&b);
    EXPECT_TRUE(journal.isEmpty());
    QApplication::setActiveWindow(&a);
    QCoreApplication::processEvents();
    EXPECT_EQ(journal, QStringList{"A activate"});
    b.Show();
    EXPECT_EQ(journal, (QStringList{"A activate", "B activate"}));
}

TEST_F(FormsRuntime, KeyPressSeesTypedCharactersOnlyAndMayReplaceOrSwallowThem) {
    FormA& a = forms.get<FormA>();
    a.Show();
    QList<int> seen;
    platform::onKeyPress(a.box, [&](int& key) {
        seen << key;
        if (key == 'x')
            key = 0;
        else if (key == 'a')
            key = 'A';
    });
    a.box->setFocus();
    QTest::keyClicks(a.box, "1ax2");
    QTest::keyClick(a.box, Qt::Key_Left);
    QTest::keyClick(a.box, Qt::Key_Delete);
    QTest::keyClick(a.box, Qt::Key_Backspace);
    QTest::keyClick(a.box, Qt::Key_Return);
    EXPECT_EQ(seen, (QList<int>{'1', 'a', 'x', '2', 8, 13}));
    // "1A2", cursor moved left before the 2, Delete removed it, Backspace removed the A.
    EXPECT_EQ(a.box->text(), QStringLiteral("1"));
}

TEST_F(FormsRuntime, FocusEventsFollowControlsNotWindowActivation) {
    FormA& a = forms.get<FormA>();
    a.Show();
    QApplication::setActiveWindow(&a);
    QCoreApplication::processEvents();
    a.other->setFocus(Qt::MouseFocusReason);
    QStringList focus;
    platform::onGotFocus(a.box, [&] { focus << "box got"; });
    platform::onLostFocus(a.box, [&] { focus << "box lost"; });
    a.box->setFocus(Qt::MouseFocusReason);
    a.other->setFocus(Qt::TabFocusReason);
    a.box->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(focus, (QStringList{"box got", "box lost", "box got"}));
    // A box or another application taking the activation is no focus change of the control.
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(a.box, &out);
    QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(a.box, &in);
    EXPECT_EQ(focus.size(), 3);
}

// A handler's box runs the event loop: a datagram arriving under it may unload the handler's window. After
// the box the handler finds it deleted, except inside a focus change or an activation, whose delivery the
// window system finishes with the window's widgets: there it is deleted once that is over. Nothing touches it
// deleted.
TEST_F(FormsRuntime, AWindowUnloadedUnderItsHandlersBoxIsNeverTouchedDeleted) {
    platform::Winsock receiver(network, host);
    receiver.Protocol = platform::Winsock::sckUDPProtocol;
    receiver.LocalPort = 7777;
    receiver.Bind();
    QPointer<FormA> window;
    bool thereAfterTheBox = false;
    const auto ask = [&] {
        platform::MessageBoxRequest box;
        box.text = QStringLiteral("Sure?");
        forms.env().dialogs.messageBox(box);
        thereAfterTheBox = !window.isNull();
    };
    struct Case {
        const char* handler;
        std::function<void(FormA&)> arm, run;
        bool thereAfterTheBox;
    };
    const Case cases[] = {
        {"KeyPress", [&](FormA& a) { platform::onKeyPress(a.box, [&](int&) { ask(); }); },
         [](FormA& a) {
             a.Show();
             a.box->setFocus();
             QTest::keyClick(a.box, Qt::Key_X);
         },
         false},
        {"LostFocus", [&](FormA& a) { platform::onLostFocus(a.box, ask); },
         [](FormA& a) {
             a.Show();
             QApplication::setActiveWindow(&a);
             a.box->setFocus(Qt::MouseFocusReason);
             a.other->setFocus(Qt::TabFocusReason);
         },
         true},
        {"Form_Activate", [&](FormA& a) { a.onActivate = ask; },
         [](FormA& a) {
             a.show();
             QApplication::setActiveWindow(&a);
         },
         true},
        {"Form_Unload", [&](FormA& a) { a.onUnload = ask; }, [](FormA& a) { a.close(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handler);
        FormA& a = forms.get<FormA>();
        window = &a;
        c.arm(a);
        QObject::connect(&receiver, &platform::Winsock::DataArrival, &a, [&](int) { a.Unload(); });
        dialogs.clearRecord();
        dialogs.answerNext(platform::BoxAnswer::OK);
        dialogs.duringNextBox(
            [&] { network.injectText(7777, QStringLiteral("QN-PC-02"), QHostAddress(host.ip)); });
        c.run(a);
        EXPECT_EQ(dialogs.shown().size(), 1u);
        EXPECT_EQ(thereAfterTheBox, c.thereAfterTheBox);
        EXPECT_FALSE(forms.isLoaded<FormA>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
    }
}

TEST_F(FormsRuntime, AWindowOutlivingItsRegistryIsNeitherShownNorActivated) {
    auto registry = std::make_unique<platform::FormRegistry>(env);
    FormA& a = registry->get<FormA>();
    a.Unload();
    registry.reset();
    journal.clear();
    a.Show();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&a, &activate);
    EXPECT_FALSE(a.isVisible());
    EXPECT_TRUE(journal.isEmpty());
}
