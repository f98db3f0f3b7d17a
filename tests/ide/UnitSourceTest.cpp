// A form's unit as the designer edits it: fields and handlers found through nested types,
// comments and old-style unit tails, and added, renamed and removed with every other line left
// as it was, in whichever line ends the file uses.

#include "IdeTestSupport.h"
#include "QzExcept.h"
#include "QzUnitSource.h"

#include <functional>

namespace {

const char* const Tool = "unit Tool;\n"
                         "interface\n"
                         "type\n"
                         "  TFrmTool = class(TForm)\n"
                         "    LbName: TQzLabel;\n"
                         "    EdA, EdB: TQzEdit;\n"
                         "    procedure FormCreate(Sender: TObject);\n"
                         "  private\n"
                         "    procedure Helper(Sender: TObject);\n"
                         "  end;\n"
                         "implementation\n"
                         "procedure TFrmTool.FormCreate(Sender: TObject);\n"
                         "begin\n"
                         "  // a comment that says end.\n"
                         "end;\n"
                         "procedure TFrmTool.Helper(Sender: TObject);\n"
                         "begin\n"
                         "end;\n"
                         "end.\n";

QString withEol(const char* text, const char* eol) {
    return QString::fromLatin1(text).replace(u'\n', QString::fromLatin1(eol));
}

QStringList names(const QList<TQzUnitField>& fields) {
    QStringList out;
    for (const TQzUnitField& f : fields)
        out << f.Name + u':' + f.TypeName;
    return out;
}

QStringList names(const QList<TQzUnitMethod>& methods) {
    QStringList out;
    for (const TQzUnitMethod& m : methods)
        out << m.Name + u'/' + m.Visibility;
    return out;
}

const QString Cls = QStringLiteral("TFrmTool");

} // namespace

// Every edit, in each kind of line end: the changed lines are the expected ones and every other
// line keeps its end, so that a file that used CR alone or CR LF stays that way.
TEST(UnitSource, EditsKeepTheLineEndsOfTheFile) {
    struct Edit {
        const char* what;
        std::function<QString(const QString&)> apply;
        const char* expected; // in LF
    };
    const Edit edits[] = {
        {"add method",
         [](const QString& s) {
             return QzUnitAddMethod(s, Cls, QStringLiteral("BtOkClick"),
                                    QStringLiteral("Sender: TObject"));
         },
         "unit Tool;\ninterface\ntype\n  TFrmTool = class(TForm)\n    LbName: TQzLabel;\n"
         "    EdA, EdB: TQzEdit;\n    procedure FormCreate(Sender: TObject);\n"
         "    procedure BtOkClick(Sender: TObject);\n  private\n"
         "    procedure Helper(Sender: TObject);\n  end;\nimplementation\n"
         "procedure TFrmTool.FormCreate(Sender: TObject);\nbegin\n  // a comment that says end.\n"
         "end;\nprocedure TFrmTool.Helper(Sender: TObject);\nbegin\nend;\n"
         "procedure TFrmTool.BtOkClick(Sender: TObject);\nbegin\n\nend;\n\nend.\n"},
        {"add field",
         [](const QString& s) {
             return QzUnitAddField(s, Cls, QStringLiteral("BtOk"), QStringLiteral("TQzBitBtn"));
         },
         "unit Tool;\ninterface\ntype\n  TFrmTool = class(TForm)\n    LbName: TQzLabel;\n"
         "    EdA, EdB: TQzEdit;\n    BtOk: TQzBitBtn;\n    procedure FormCreate(Sender: "
         "TObject);\n"
         "  private\n    procedure Helper(Sender: TObject);\n  end;\nimplementation\n"
         "procedure TFrmTool.FormCreate(Sender: TObject);\nbegin\n  // a comment that says end.\n"
         "end;\nprocedure TFrmTool.Helper(Sender: TObject);\nbegin\nend;\nend.\n"},
        {"remove field",
         [](const QString& s) { return QzUnitRemoveField(s, Cls, QStringLiteral("LbName")); },
         "unit Tool;\ninterface\ntype\n  TFrmTool = class(TForm)\n"
         "    EdA, EdB: TQzEdit;\n    procedure FormCreate(Sender: TObject);\n"
         "  private\n    procedure Helper(Sender: TObject);\n  end;\nimplementation\n"
         "procedure TFrmTool.FormCreate(Sender: TObject);\nbegin\n  // a comment that says end.\n"
         "end;\nprocedure TFrmTool.Helper(Sender: TObject);\nbegin\nend;\nend.\n"},
        {"remove one of two",
         [](const QString& s) { return QzUnitRemoveField(s, Cls, QStringLiteral("EdB")); },
         "unit Tool;\ninterface\ntype\n  TFrmTool = class(TForm)\n    LbName: TQzLabel;\n"
         "    EdA: TQzEdit;\n    procedure FormCreate(Sender: TObject);\n"
         "  private\n    procedure Helper(Sender: TObject);\n  end;\nimplementation\n"
         "procedure TFrmTool.FormCreate(Sender: TObject);\nbegin\n  // a comment that says end.\n"
         "end;\nprocedure TFrmTool.Helper(Sender: TObject);\nbegin\nend;\nend.\n"},
        {"rename field and method",
         [](const QString& s) {
             const QString renamed = QzUnitRenameField(s, Cls, QStringLiteral("EdA"),
                                                       QStringLiteral("EdFirst"), QString());
             return QzUnitRenameMethod(renamed, Cls, QStringLiteral("FormCreate"),
                                       QStringLiteral("FormStart"));
         },
         "unit Tool;\ninterface\ntype\n  TFrmTool = class(TForm)\n    LbName: TQzLabel;\n"
         "    EdFirst, EdB: TQzEdit;\n    procedure FormStart(Sender: TObject);\n"
         "  private\n    procedure Helper(Sender: TObject);\n  end;\nimplementation\n"
         "procedure TFrmTool.FormStart(Sender: TObject);\nbegin\n  // a comment that says end.\n"
         "end;\nprocedure TFrmTool.Helper(Sender: TObject);\nbegin\nend;\nend.\n"},
    };
    for (const char* eol : {"\n", "\r\n", "\r"}) {
        for (const Edit& edit : edits) {
            SCOPED_TRACE(std::string(edit.what) + (eol[0] == '\r' ? eol[1] ? " CRLF" : " CR" : ""));
            const QString result = edit.apply(withEol(Tool, eol));
            EXPECT_EQ(result.toStdString(), withEol(edit.expected, eol).toStdString());
        }
    }
}

TEST(UnitSource, NestedTypesAndDirectivesDoNotEndTheClass) {
    const QString source = QStringLiteral("unit Nested;\ninterface\ntype\n"
                                          "  TFrmNested = class(TForm)\n"
                                          "    LbA: TQzLabel;\n"
                                          "    procedure FormCreate(Sender: TObject);\n"
                                          "  private\n"
                                          "    type\n"
                                          "      TState = class\n"
                                          "      private\n"
                                          "        FCount: Integer;\n"
                                          "      end;\n"
                                          "      TPoint = record\n"
                                          "        case Integer of\n"
                                          "          0: (X, Y: Integer);\n"
                                          "          1: (V: Int64);\n"
                                          "      end;\n"
                                          "      TStep = procedure(Sender: TObject) of object;\n"
                                          "    var\n"
                                          "      FState: TState;\n"
                                          "    class function Make: TFrmNested; virtual;\n"
                                          "  published\n"
                                          "    procedure Later(Sender: TObject);\n"
                                          "  end;\n"
                                          "implementation\nend.\n");
    const QString cls = QStringLiteral("TFrmNested");
    EXPECT_EQ(names(QzUnitMethods(source, cls)),
              (QStringList{"FormCreate/published", "Make/private", "Later/published"}));
    EXPECT_EQ(names(QzUnitPublishedFields(source, cls)), QStringList{"LbA:TQzLabel"});
    // The declaration closes the first part, before the nested types.
    const QString added =
        QzUnitAddMethod(source, cls, QStringLiteral("BtClick"), QStringLiteral("Sender: TObject"));
    EXPECT_TRUE(added.contains(QStringLiteral("FormCreate(Sender: TObject);\n"
                                              "    procedure BtClick(Sender: TObject);\n"
                                              "  private\n")));
    EXPECT_TRUE(added.endsWith(QStringLiteral("implementation\nprocedure TFrmNested.BtClick("
                                              "Sender: TObject);\nbegin\n\nend;\n\nend.\n")));
}

// A unit may end with a block of its own in place of an initialization part; handlers go before
// it, not inside it.
TEST(UnitSource, AnOldStyleUnitTailTakesHandlersBeforeIt) {
    const QString source =
        QStringLiteral("unit Old;\ninterface\ntype\n  TFrmOld = class(TForm)\n  end;\n"
                       "implementation\n"
                       "procedure Setup;\nbegin\n  case Mode of\n    1: Go;\n  end;\n  try Go; "
                       "finally end;\nend;\n"
                       "begin\n  Setup;\nend.\n");
    const QString added =
        QzUnitAddMethod(source, QStringLiteral("TFrmOld"), QStringLiteral("FormShow"),
                        QStringLiteral("Sender: TObject"));
    EXPECT_TRUE(added.contains(
        QStringLiteral("finally end;\nend;\nprocedure TFrmOld.FormShow(Sender: TObject);\nbegin\n"
                       "\nend;\n\nbegin\n  Setup;\nend.\n")))
        << added.toStdString();
}

TEST(UnitSource, FieldsGoWhereTheClassHasRoomForThem) {
    // A class without fields takes the first at its top; one on a single line opens it up.
    const QString empty = QStringLiteral("type\n  TFrmA = class(TForm)\n  private\n  end;\n");
    EXPECT_EQ(
        QzUnitAddField(empty, QStringLiteral("TFrmA"), QStringLiteral("LbA"),
                       QStringLiteral("TQzLabel")),
        QStringLiteral("type\n  TFrmA = class(TForm)\n    LbA: TQzLabel;\n  private\n  end;\n"));
    const QString oneLine = QStringLiteral("type\n  TFrmB = class(TForm) end;\n");
    EXPECT_EQ(QzUnitAddField(oneLine, QStringLiteral("TFrmB"), QStringLiteral("LbA"),
                             QStringLiteral("TQzLabel")),
              QStringLiteral("type\n  TFrmB = class(TForm) \n    LbA: TQzLabel;\n  end;\n"));
    // A field there already is not added twice; renaming a missing one adds it.
    EXPECT_EQ(QzUnitAddField(QString::fromLatin1(Tool), Cls, QStringLiteral("lbname"),
                             QStringLiteral("TQzLabel")),
              QString::fromLatin1(Tool));
    EXPECT_TRUE(QzUnitRenameField(QString::fromLatin1(Tool), Cls, QStringLiteral("Missing"),
                                  QStringLiteral("LbNew"), QStringLiteral("TQzLabel"))
                    .contains(QStringLiteral("EdA, EdB: TQzEdit;\n    LbNew: TQzLabel;\n")));
    // A field named like a directive is still a field.
    const QString directive =
        QStringLiteral("type\n  TFrmC = class(TForm)\n    procedure A; virtual;\n"
                       "    Default: TQzLabel;\n  end;\n");
    EXPECT_EQ(names(QzUnitPublishedFields(directive, QStringLiteral("TFrmC"))),
              QStringList{"Default:TQzLabel"});
    EXPECT_EQ(errorOf([] {
                  QzUnitAddField(QStringLiteral("unit X;"), QStringLiteral("TFrmX"),
                                 QStringLiteral("A"), QStringLiteral("TQzLabel"));
              }),
              "The unit does not declare the class TFrmX");
}

// Text the reader cannot follow (an unclosed ancestor list, a record left open inside the class):
// an addition it would not find again is refused rather than written into the unit.
TEST(UnitSource, AnAdditionTheReaderWouldNotFindAgainIsRefused) {
    const char* const units[] = {
        "unit Fuzz;\ninterface\ntype\n  TFrmFuzz = class(TFeger;\n    end;\n"
        "  procedure Helper;\nimplementation\nend.\n",
        "unit U;\ntype TFrmFuzz = class(TForm)\n  X: record case it U;\n  end;\n"
        "implementaInteger of 0: (A: Inte d;\n  end;\nimplementation\nend.",
    };
    const QString cls = QStringLiteral("TFrmFuzz");
    for (const char* unit : units) {
        SCOPED_TRACE(unit);
        const QString source = QString::fromLatin1(unit);
        const auto refusedOrFound = [&](const std::function<QString()>& edit,
                                        const std::function<bool(const QString&)>& found) {
            try {
                EXPECT_TRUE(found(edit()));
            } catch (const EQzError& e) {
                EXPECT_TRUE(e.Message().contains(QStringLiteral("cannot be followed")));
            }
        };
        refusedOrFound(
            [&] {
                return QzUnitAddField(source, cls, QStringLiteral("LbNew"),
                                      QStringLiteral("TQzLabel"));
            },
            [&](const QString& text) {
                return names(QzUnitPublishedFields(text, cls))
                    .contains(QStringLiteral("LbNew:TQzLabel"));
            });
        refusedOrFound(
            [&] {
                return QzUnitAddMethod(source, cls, QStringLiteral("BtGoClick"),
                                       QStringLiteral("Sender: TObject"));
            },
            [&](const QString& text) {
                return names(QzUnitPublishedMethods(text, cls))
                    .contains(QStringLiteral("BtGoClick/published"));
            });
    }
}

TEST(UnitSource, ReservedWordsAreKnownInAnyCase) {
    for (const char* word : {"begin", "END", "Published", "string", "inherited"})
        EXPECT_TRUE(IsReservedWord(QString::fromLatin1(word))) << word;
    for (const char* word : {"Button1Click", "Default", "Caption", "Result"})
        EXPECT_FALSE(IsReservedWord(QString::fromLatin1(word))) << word;
}
