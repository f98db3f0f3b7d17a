// Owners, names, notifications, collections and the class registry.

#include "TestClasses.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
class ComponentModel : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClasses(); }
};
} // namespace

TEST_F(ComponentModel, OwnerKeepsOrderedListAndFreesWhatItOwns) {
    auto form = std::make_unique<TForm>();
    auto* a = new TComponent(form.get());
    auto* b = new TTestLabel(form.get());
    auto* c = new TComponent(form.get());
    EXPECT_EQ(form->ComponentCount(), 3);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(b->parent(), form.get());

    c->SetComponentIndex(0);
    EXPECT_EQ(form->Components(0), c);
    EXPECT_EQ(form->Components(1), a);

    delete a;
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_THROW(form->Components(2), EListError);

    QPointer<TComponent> watchB(b), watchC(c);
    form.reset();
    EXPECT_TRUE(watchB.isNull());
    EXPECT_TRUE(watchC.isNull());
}

TEST_F(ComponentModel, NamesAreIdentifiersUniqueInTheOwner) {
    TForm form;
    auto* a = new TComponent(&form);
    auto* b = new TComponent(&form);
    a->SetName(QStringLiteral("Button1"));
    EXPECT_THROW(b->SetName(QStringLiteral("BUTTON1")), EComponentError);
    EXPECT_TRUE(b->Name().isEmpty());
    EXPECT_THROW(b->SetName(QStringLiteral("1Button")), EComponentError);
    EXPECT_THROW(b->SetName(QStringLiteral("Button 2")), EComponentError);
    b->SetName(QStringLiteral("_Button2"));
    a->SetName(QStringLiteral("button1")); // a case change of its own name is fine
    EXPECT_EQ(form.FindComponent(QStringLiteral("BUTTON1")), a);
    EXPECT_EQ(form.FindComponent(QStringLiteral("_button2")), b);
    EXPECT_EQ(form.FindComponent(QString()), nullptr);

    // Moving a named component into an owner that already has the name is refused.
    TForm other;
    auto* clash = new TComponent(&other);
    clash->SetName(QStringLiteral("Button1"));
    EXPECT_THROW(form.InsertComponent(clash), EComponentError);
    EXPECT_EQ(clash->Owner(), &other);
}

TEST_F(ComponentModel, ReferencesToAFreedComponentAreCleared) {
    TForm form;
    auto* label = new TTestLabel(&form);
    auto* target = new TTestLabel(&form);
    label->FFocusControl = target;
    delete target;
    EXPECT_EQ(label->FFocusControl, nullptr);

    // Across owners the reference needs a free notification.
    TForm other;
    auto* remote = new TTestLabel(&other);
    label->FFocusControl = remote;
    label->FreeNotification(remote);
    delete remote;
    EXPECT_EQ(label->FFocusControl, nullptr);
}

TEST_F(ComponentModel, DesigningFlagReachesOwnedComponents) {
    TForm form;
    auto* a = new TComponent(&form);
    form.SetDesigning(true);
    EXPECT_TRUE(a->IsDesigning());
    auto* b = new TComponent(&form); // inserted later: inherits the flag
    EXPECT_TRUE(b->IsDesigning());
    form.SetDesigning(false, false);
    EXPECT_FALSE(form.IsDesigning());
    EXPECT_TRUE(a->IsDesigning());
}

TEST_F(ComponentModel, ParentsAndChildrenStayConsistent) {
    TForm form;
    auto* panel = new TTestPanel(&form);
    panel->SetParent(&form);
    auto* label = new TTestLabel(&form);
    label->SetParent(panel);
    EXPECT_EQ(panel->ControlCount(), 1);
    EXPECT_THROW(panel->SetParent(panel), EComponentError);
    auto* inner = new TTestPanel(&form);
    inner->SetParent(panel);
    EXPECT_THROW(panel->SetParent(inner), EComponentError);
    label->SetParent(inner);
    EXPECT_EQ(panel->ControlCount(), 1);
    EXPECT_EQ(inner->Controls(0), label);
    delete inner;
    EXPECT_EQ(label->Parent(), nullptr);
    EXPECT_EQ(panel->ControlCount(), 0);
}

TEST_F(ComponentModel, CollectionsAddInsertDeleteMove) {
    TForm form;
    auto* label = new TTestLabel(&form);
    label->SetName(QStringLiteral("Label1"));
    TCollection* items = label->Items();
    EXPECT_EQ(items->ItemClass(), ClassOf<TTestItem>());
    auto* first = static_cast<TTestItem*>(items->Add());
    auto* second = static_cast<TTestItem*>(items->Add());
    auto* zero = static_cast<TTestItem*>(items->Insert(0));
    EXPECT_EQ(zero->Index(), 0);
    EXPECT_EQ(first->Index(), 1);
    EXPECT_THROW(items->Insert(5), EListError);

    second->SetIndex(0);
    EXPECT_EQ(items->Items(0), second);
    EXPECT_EQ(second->GetNamePath(), QStringLiteral("Label1.Items[0]"));
    EXPECT_EQ(items->GetNamePath(), QStringLiteral("Label1.Items"));
    EXPECT_EQ(items->PropName(), QStringLiteral("Items"));
    EXPECT_EQ(items->GetOwner(), label);

    first->FCaption = QStringLiteral("One");
    EXPECT_EQ(first->DisplayName(), QStringLiteral("One"));
    EXPECT_EQ(zero->DisplayName(), QStringLiteral("TTestItem"));
    EXPECT_EQ(items->FindItemID(first->ID()), first);

    items->Delete(0);
    EXPECT_EQ(items->Count(), 2);
    delete zero; // freeing an item removes it
    EXPECT_EQ(items->Count(), 1);
    EXPECT_EQ(items->Items(0), first);

    // Ids are not reused after a delete.
    const int lastId = first->ID();
    EXPECT_GT(items->Add()->ID(), lastId);

    TCollection copy(ClassOf<TTestItem>());
    copy.Assign(items);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(copy.Items(0))->FCaption, QStringLiteral("One"));
    items->Clear();
    EXPECT_EQ(items->Count(), 0);
}

TEST_F(ComponentModel, RegistryFindsClassesByName) {
    EXPECT_EQ(FindClass(QStringLiteral("ttestlabel")), ClassOf<TTestLabel>());
    EXPECT_EQ(GetClass(QStringLiteral("TNoSuchThing")), nullptr);
    try {
        FindClass(QStringLiteral("TNoSuchThing"));
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Class TNoSuchThing not found"));
    }
    TForm form;
    TComponent* made = CreateComponentByName(QStringLiteral("TTestPanel"), &form);
    EXPECT_EQ(made->ClassName(), QStringLiteral("TTestPanel"));
    EXPECT_EQ(made->Owner(), &form);
    EXPECT_THROW(CreateComponentByName(QStringLiteral("TTestItem"), &form), EClassNotFound);

    UnRegisterClass(ClassOf<TTestPanel>());
    EXPECT_EQ(GetClass(QStringLiteral("TTestPanel")), nullptr);
    RegisterClass(ClassOf<TTestPanel>());
}

TEST_F(ComponentModel, AssignOfUnrelatedClassesIsRefused) {
    TTestFont font;
    TStrings lines;
    try {
        font.Assign(&lines);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot assign a TStrings to a TTestFont"));
    }
    lines.SetText(QStringLiteral("a\r\nb\nc\rd"));
    EXPECT_EQ(lines.Lines(), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(lines.Text(), QStringLiteral("a\r\nb\r\nc\r\nd\r\n"));
}

TEST_F(ComponentModel, FailedCollectionAssignLeavesTheTargetWhole) {
    // TCollectionItem itself cannot be assigned: the copy fails on the first item.
    TCollection source(ClassOf<TCollectionItem>());
    source.Add();
    TCollection target(ClassOf<TCollectionItem>());
    target.Add();
    target.Add();
    EXPECT_THROW(target.Assign(&source), EConvertError);
    EXPECT_EQ(target.Count(), 2);
}
