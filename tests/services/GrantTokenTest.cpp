#include "Brindle/app/services/GrantToken.h"
#include "Brindle/app/services/GrantTokens.h"

#include "tests/support/TestTree.h"

#include <QTest>

#include <cstdio>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brindle {
namespace {
using test::Node;
using test::TestTree;
} // namespace

class GrantTokenTest : public QObject {
    Q_OBJECT
private slots:
    void decodesOnlyWholeTokensOfItsVersion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("decodes");
        const QString whole =
            R"({"version":1,"path":"/m/B/Docs","volume":"5E2C-1A2B","inVolume":"/Docs","device":2049,"inode":12})";
        QTest::newRow("whole") << whole << true;
        QTest::newRow("no volume") << R"({"version":1,"path":"/tmp/x","inVolume":"/x","device":1,"inode":2})" << true;
        QTest::newRow("other version") << QString(whole).replace("\"version\":1", "\"version\":2") << false;
        QTest::newRow("no inode") << R"({"version":1,"path":"/x","inVolume":"/x","device":1})" << false;
        QTest::newRow("negative inode") << QString(whole).replace("12}", "-12}") << false;
        QTest::newRow("fractional device") << QString(whole).replace("2049", "2049.5") << false;
        QTest::newRow("relative path") << QString(whole).replace("/m/B/Docs", "m/B/Docs") << false;
        QTest::newRow("NUL in path") << QString(whole).replace("/m/B/Docs", "/m/B\\u0000/etc") << false;
        QTest::newRow("volume leading elsewhere") << QString(whole).replace("5E2C-1A2B", "../../etc") << false;
        QTest::newRow("empty volume") << QString(whole).replace("5E2C-1A2B", "") << false;
        QTest::newRow("not an object") << "[1]" << false;
        QTest::newRow("not JSON") << "bookmark" << false;
    }
    void decodesOnlyWholeTokensOfItsVersion()
    {
        QFETCH(QString, text);
        QFETCH(bool, decodes);
        const auto token = decodeGrantTokenText(text.toStdString());
        QCOMPARE(token.has_value(), decodes);
        if (token)
            QCOMPARE(decodeGrantTokenText(encodeGrantTokenText(*token)), token);
    }

    void resolvesTheSameFolderAndNoticesAReplacedOne()
    {
        const TestTree tree{{{"Documents/a.txt", Node::file(1)}, {"Pictures", Node::directory()}}};
        const auto tokens = makeGrantTokens();
        const auto token = tokens->create(tree.path("Documents"));
        QVERIFY(token);
        QVERIFY(!tokens->create(tree.path("Documents/a.txt")));
        QVERIFY(!tokens->create(tree.path("Missing")));
        const auto decoded = decodeGrantTokenText(*token);
        QVERIFY(decoded && decoded->path == tree.path("Documents") && decoded->inVolume.ends_with("/Documents"));

        QCOMPARE(tokens->resolve(*token), std::optional(ResolvedGrant{tree.path("Documents"), false, true}));
        // Deleted, and another folder put in its place: the token is stale.
        test::removeTree(tree.path("Documents"));
        QVERIFY(!tokens->resolve(*token));
        QVERIFY(::rename(tree.path("Pictures").c_str(), tree.path("Documents").c_str()) == 0);
        QCOMPARE(tokens->resolve(*token), std::optional(ResolvedGrant{tree.path("Documents"), true, true}));
        QVERIFY(!tokens->resolve("not a token"));
    }

    void aLinkPutInTheFoldersPlaceIsNotTheGrant_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("the root") << "/";
        QTest::newRow("an ancestor") << ".";
        QTest::newRow("another tree") << "Pictures";
    }
    void aLinkPutInTheFoldersPlaceIsNotTheGrant()
    {
        QFETCH(QString, target);
        const TestTree tree{{{"Documents", Node::directory()}, {"Pictures", Node::directory()}}};
        const auto tokens = makeGrantTokens();
        const auto token = tokens->create(tree.path("Documents"));
        QVERIFY(token);
        test::removeTree(tree.path("Documents"));
        const std::string linked = target == "/" ? "/" : tree.path(target.toStdString());
        QVERIFY(::symlink(linked.c_str(), tree.path("Documents").c_str()) == 0);
        QCOMPARE(tokens->resolve(*token), std::nullopt);
    }

    void grantedOnlyWhenTheFolderOpensForReading()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to switch to another user");
        const TestTree tree{{{"Locked", Node::directory()}}};
        const auto tokens = makeGrantTokens();
        const auto token = tokens->create(tree.path("Locked"));
        QVERIFY(token && ::chmod(tree.path("Locked").c_str(), 0) == 0);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            if (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0)
                ::_exit(100);
            const auto resolved = tokens->resolve(*token);
            ::_exit(resolved && !resolved->granted && !resolved->stale ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0); // 100: could not drop privileges
    }
};

} // namespace brindle

QTEST_GUILESS_MAIN(brindle::GrantTokenTest)
#include "GrantTokenTest.moc"
