// The designer hooks and the window broadcast as the editors see them: a change anywhere inside
// a designed form reaches that form's designer, and nothing else does.

#include "Controls.h"
#include "PkgTestSupport.h"
#include "QzHooks.h"
#include "QzPkgStrings.h"

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// Records what the modified hook is told, and puts the hooks back when the test ends.
class Hooks : public PkgTest {
protected:
    void SetUp() override {
        PkgTest::SetUp();
        QzDsgnModified = [this](TComponent* component) {
            FModified.push_back(component);
        };
    }
    void TearDown() override {
        QzDsgnModified = nullptr;
        PkgTest::TearDown();
    }

    // A form open in the designer.
    std::unique_ptr<TForm> designedForm() {
        auto form = std::make_unique<TForm>();
        form->SetName(QStringLiteral("Form1"));
        form->SetDesigning(true);
        form->SetDesigner(&FDesigner);
        return form;
    }

    // Whom QzDesignerModified(object) told, one call at a time.
    TComponent* told(QObject* object) {
        FModified.clear();
        QzDesignerModified(object);
        EXPECT_LE(FModified.size(), 1u);
        return FModified.empty() ? nullptr : FModified.front();
    }

    int FDesigner = 0;
    std::vector<TComponent*> FModified;
};

// Listeners registered by a test are removed when it ends, whatever happened.
class ListenerScope {
public:
    ~ListenerScope() {
        for (int key : FKeys)
            QzRemoveFormsListener(key);
    }
    int add(TQzFormsListener listener, QObject* context = nullptr) {
        FKeys.push_back(QzAddFormsListener(std::move(listener), context));
        return FKeys.back();
    }

private:
    std::vector<int> FKeys;
};

} // namespace

TEST_F(Hooks, ChangesInsideADesignedFormReachItsDesigner) {
    auto form = designedForm();
    auto* panel = new TWinControl(form.get());
    auto* strings = new TQzPkgStrings(panel);
    // A package nested in another one, as the language package holds its strings.
    auto* nested = new TQzPkgStrings(strings);
    TQzPkgStringsLabel* label = nested->Labels()->Add(4, QStringLiteral("Caption"));
    QObject helper(strings);

    EXPECT_EQ(told(form.get()), form.get());
    EXPECT_EQ(told(strings), form.get());
    EXPECT_EQ(told(nested), form.get());
    EXPECT_EQ(told(label), form.get());
    EXPECT_EQ(told(nested->Labels()), form.get());
    EXPECT_EQ(told(nested->Data()), form.get());
    EXPECT_EQ(told(&helper), form.get());

    // Content read anew is still found.
    nested->SetContentBytes(strings->ContentBytes());
    nested->Messages()->Add(1, QStringLiteral("m"));
    EXPECT_EQ(told(nested->Messages()->FindId(1)), form.get());
}

TEST_F(Hooks, ComponentsNotBeingDesignedTellNobody) {
    // A package of a form that no designer shows.
    TForm plain;
    auto* strings = new TQzPkgStrings(&plain);
    EXPECT_EQ(told(strings), nullptr);
    EXPECT_EQ(told(strings->Labels()->Add(1, QStringLiteral("a"))), nullptr);

    // A scratch package of its own, as translators and synchronizers make.
    TQzPkgStrings scratch;
    EXPECT_EQ(told(&scratch), nullptr);
    EXPECT_EQ(told(scratch.Data()), nullptr);
    EXPECT_EQ(told(nullptr), nullptr);

    // Inside a designed form, but below a component that is not designed.
    auto form = designedForm();
    auto* helper = new TComponent(form.get());
    helper->SetDesigning(false, false);
    auto* below = new TQzPkgStrings(helper);
    below->SetDesigning(true);
    EXPECT_EQ(told(below), nullptr);

    // Designing components whose root has no designer (a form being loaded, say).
    TForm loading;
    loading.SetDesigning(true);
    EXPECT_EQ(told(new TQzPkgStrings(&loading)), nullptr);

    // Without the hook, nothing happens and nothing breaks.
    QzDsgnModified = nullptr;
    QzDesignerModified(form.get());
}

TEST_F(Hooks, EmptyHooksDoNothingAndReturnNone) {
    EXPECT_EQ(QzDsgnCreateComponent(nullptr, ClassOf<TComponent>(), nullptr), nullptr);
    EXPECT_EQ(QzDsgnGetProyectName(), QString());
    QzDsgnSelectComponent(nullptr, nullptr);
    QzDsgnCreateMethodMenuClick(nullptr);

    TForm form;
    std::vector<QString> renamed;
    QzAssignDgnCreateUniqueName([&](TComponent* c) { renamed.push_back(c->ClassName()); });
    QzDsgnCreateUniqueName(&form);
    QzAssignDgnCreateUniqueName(nullptr);
    QzDsgnCreateUniqueName(&form);
    EXPECT_EQ(renamed, std::vector<QString>{QStringLiteral("TForm")});
}

TEST(FormsPerform, ListenersHearEachBroadcastInOrder) {
    ListenerScope scope;
    TComponent package;
    std::vector<std::pair<char, int>> heard;
    scope.add([&](int code, QObject* object) {
        EXPECT_EQ(object, &package);
        heard.push_back({'a', code});
    });
    const int b = scope.add([&](int code, QObject*) { heard.push_back({'b', code}); });
    QzFormsPerform(QzPerformStrings, &package);
    QzRemoveFormsListener(b);
    QzFormsPerform(QzPerformImages, &package);
    QzRemoveFormsListener(b); // twice, or a key never given: nothing happens
    QzRemoveFormsListener(-1);
    EXPECT_EQ(heard, (std::vector<std::pair<char, int>>{{'a', 10}, {'b', 10}, {'a', 11}}));
}

TEST(FormsPerform, ListenersMayUnregisterWhileCalled) {
    ListenerScope scope;
    std::vector<char> heard;
    int self = 0;
    int later = 0;
    self = scope.add([&](int, QObject*) {
        heard.push_back('s');
        QzRemoveFormsListener(self); // the window closes itself on the message
    });
    scope.add([&](int, QObject*) {
        heard.push_back('k');
        QzRemoveFormsListener(later); // and closes another one still to be told
        scope.add([&](int, QObject*) { heard.push_back('n'); });
    });
    later = scope.add([&](int, QObject*) { heard.push_back('l'); });

    QzFormsPerform(QzPerformVars, nullptr);
    EXPECT_EQ(heard, (std::vector<char>{'s', 'k'}));
    heard.clear();
    QzFormsPerform(QzPerformVars, nullptr);
    // The one added during the first broadcast hears the second.
    EXPECT_EQ(heard, (std::vector<char>{'k', 'n'}));
}

TEST(FormsPerform, WindowsGoneAreDroppedAndErrorsReachTheCaller) {
    ListenerScope scope;
    std::vector<char> heard;
    auto window = std::make_unique<QObject>();
    scope.add([&](int, QObject*) { heard.push_back('w'); }, window.get());
    scope.add([&](int code, QObject*) {
        heard.push_back('t');
        if (code == QzPerformApplications)
            throw std::runtime_error("refresh failed");
    });
    QzFormsPerform(QzPerformStrings, nullptr);
    window.reset();
    EXPECT_THROW(QzFormsPerform(QzPerformApplications, nullptr), std::runtime_error);
    QzFormsPerform(QzPerformStrings, nullptr);
    EXPECT_EQ(heard, (std::vector<char>{'w', 't', 't', 't'}));
}
