// The history listening to the image: one state a change with the label of
// its cause, the picture before the run's first change, nothing for a run or
// a change without a changed pixel, one state a pencil stroke.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "core/Image.h"
#include "files/HistoryFolder.h"
#include "files/HistoryRecorder.h"
#include "files/HistoryStore.h"

namespace {
constexpr Colour Back = Rgb(0, 128, 128);
constexpr Colour Ink = Rgb(255, 0, 0);

// The states as "label:pixels" with the red pixels' indices, oldest first.
QString States(HistoryStore& store)
{
    QStringList states;
    for (const HistoryRow& row : store.read()) {
        HistoryImage picture;
        if (!DecodeHistoryPicture(row.picture.data(), row.picture.size(), picture)) {
            states.prepend("?");
            continue;
        }
        QStringList red;
        for (int i = 0; i < HistoryPixels; ++i)
            if (picture[std::size_t(i)] != Back)
                red << QString::number(i);
        states.prepend(QString::fromStdString(row.cause) + ":" + red.join(','));
    }
    return states.join(' ');
}
} // namespace

class TestHistoryRecorder : public QObject {
    Q_OBJECT
private slots:
    void init();

    void firstChangeRecordsThePictureBeforeIt();
    void changesWithoutPixelsRecordNothing();
    void aStrokeIsOneStateWhateverItsSteps();
    void nestedChangesAreTheOutermostOne();

private:
    std::unique_ptr<QTemporaryDir> home_;
    std::unique_ptr<HistoryStore> store_;
};

void TestHistoryRecorder::init()
{
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
    qputenv("XDG_STATE_HOME", QFile::encodeName(home_->path()));
    store_ = std::make_unique<HistoryStore>(HistoryFolderFromEnvironment());
}

void TestHistoryRecorder::firstChangeRecordsThePictureBeforeIt()
{
    Image image(32, 32, Back);
    image.setPixel(1, 0, Ink); // there before the run's first change, e.g. an opened file
    HistoryRecorder recorder(image, *store_);
    {
        ImageChange change(image, ChangeCause::Line);
        image.line(0, 1, 2, 1, Ink);
    }
    {
        ImageChange change(image, ChangeCause::Clear);
        image.clear();
    }
    {
        ImageChange change(image, ChangeCause::Restore);
        image.setPixel(5, 0, Ink);
    }
    QCOMPARE(States(*store_), QString("Stan wyjściowy:1 Linia:1,32,33,34 Czyść: Przywrócenie:5"));
}

void TestHistoryRecorder::changesWithoutPixelsRecordNothing()
{
    Image image(32, 32, Back);
    HistoryRecorder recorder(image, *store_);
    {
        ImageChange change(image, ChangeCause::Paste); // a paste cancelled
    }
    QCOMPARE(States(*store_), QString());
    image.setPixel(3, 0, Ink); // outside any change: not the history's business
    {
        ImageChange change(image, ChangeCause::Line);
        image.line(40, 40, 50, 40, Ink); // wholly outside
    }
    QCOMPARE(States(*store_), QString());
    {
        ImageChange change(image, ChangeCause::Open);
        image.setPixel(4, 0, Ink);
    }
    QCOMPARE(States(*store_), QString("Stan wyjściowy:3 Otwórz:3,4"));
}

void TestHistoryRecorder::aStrokeIsOneStateWhateverItsSteps()
{
    Image image(32, 32, Back);
    HistoryRecorder recorder(image, *store_);
    {
        ImageChange stroke(image, ChangeCause::Pencil);
        for (int x = 0; x < 20; ++x)
            image.setPixel(x, 0, Ink);
        // A long stroke is on disk while it goes on.
        QVERIFY(store_->flush(std::chrono::seconds(5)));
        QCOMPARE(HistoryStore(HistoryFolderFromEnvironment()).read().size(), std::size_t(2));
        image.setPixel(31, 31, Ink);
    }
    {
        ImageChange stroke(image, ChangeCause::Pencil);
        image.setPixel(0, 1, Ink);
    }
    QCOMPARE(States(*store_), QString("Stan wyjściowy: Ołówek:0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,"
                                      "17,18,19,1023 Ołówek:0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,"
                                      "17,18,19,32,1023"));
}

void TestHistoryRecorder::nestedChangesAreTheOutermostOne()
{
    Image image(32, 32, Back);
    HistoryRecorder recorder(image, *store_);
    {
        ImageChange cut(image, ChangeCause::Cut);
        image.setPixel(0, 0, Ink);
        ImageChange clear(image, ChangeCause::Clear);
        image.setPixel(1, 0, Ink);
    }
    QCOMPARE(States(*store_), QString("Stan wyjściowy: Wytnij:0,1"));
}

QTEST_GUILESS_MAIN(TestHistoryRecorder)
#include "test_historyrecorder.moc"
