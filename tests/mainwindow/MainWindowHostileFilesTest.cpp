#include "MainWindowFixture.h"

#include "mainwindow/DesignFile.h"
#include "model/CardGlobals.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "support/FullFolder.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString corrupt = QStringLiteral("\nFile is corrupt and cannot be opened.");

// A hang on a path is a failure, not a test run that never ends.
struct Watchdog
{
    Watchdog() { ::alarm(60); }
    ~Watchdog() { ::alarm(0); }
};

QString makeFifo(const QString& path)
{
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A design whose image objects and background name the given pictures.
DesignContents designNaming(const QStringList& pictures, const QString& background)
{
    DesignContents design;
    design.front = Card_Property::create();
    design.back = Card_Property::create();
    design.front->Card_Size = QSizeF(243, 154);
    design.front->Card_fill_chk = true;
    design.front->Card_fill_style = QStringLiteral("I");
    design.front->Card_BG_Image_Path = background;
    for (const QString& picture : pictures) {
        auto image = SKTGraphic::create<SKTImage>();
        image->_file_path = picture;
        image->setBounds(QRectF(10, 10, 50, 40));
        design.frontGraphics.append(image);
    }
    return design;
}

} // namespace

TEST_F(MainWindowTest, ADesignNamingAFifoOrADeviceOpensWithoutThoseFiles)
{
    SKTWindowController& main = start();
    const QString fifo = makeFifo(folder.filePath(QStringLiteral("picture.png")));
    const QString zeroLink = folder.filePath(QStringLiteral("zero.png"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zeroLink));
    const QString path = folder.filePath(QStringLiteral("hostile.dcard"));
    ASSERT_TRUE(DesignFile::write(path, designNaming({ fifo, QStringLiteral("/dev/zero"), zeroLink }, fifo)));

    Watchdog watchdog;
    ASSERT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 1);
    ASSERT_EQ(main.Get_Front_Control_Count(), 3);
    for (const SKTGraphicPtr& graphic : main.Get_Front_Controls_Array())
        EXPECT_TRUE(static_cast<const SKTImage&>(*graphic).picture().isNull());
    EXPECT_TRUE(main.Front_card_Prop->Card_BG_Image.isNull());
    EXPECT_EQ(Project_File_Name, path);
}

TEST_F(MainWindowTest, ADesignFileThatIsAFifoOrADeviceIsRefusedAndTheDesignKept)
{
    SKTWindowController& main = start();
    const QString kept = folder.filePath(QStringLiteral("kept.dcard"));
    Project_File_Name = kept;
    main.Save_project_file(false, false);
    const QString fifo = makeFifo(folder.filePath(QStringLiteral("pipe.dcard")));
    const QString zeroLink = folder.filePath(QStringLiteral("zero.dcard"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zeroLink));

    Watchdog watchdog;
    for (const QString& path : { fifo, zeroLink }) {
        EXPECT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 0);
        EXPECT_EQ(dialogs->messages().back(), corrupt);
        EXPECT_EQ(Project_File_Name, kept);
    }
}

TEST_F(MainWindowTest, SavingOnAFullDiskFailsAndLeavesTheOldDesignByteForByte)
{
    SKTWindowController& main = start();
    FullFolder disk;
    const QString path = disk.filePath(QStringLiteral("design.dcard"));
    Project_File_Name = path;
    ASSERT_TRUE(main.Save_project_file(false, false));
    const QByteArray before = contentsOf(path);
    // A long text makes the new file larger than the room left.
    auto text = SKTGraphic::create<SKTText>();
    text->Text_Value = QString(20000, QLatin1Char('x'));
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });
    disk.fill(1024);
    main.Save_Btn_Clicked();
    const QString message = dialogs->messages().back();
    EXPECT_TRUE(message.startsWith(QStringLiteral("\nThe design could not be saved."))) << message.toStdString();
    EXPECT_TRUE(message.contains(disk.expectedReason())) << message.toStdString();
    EXPECT_EQ(contentsOf(path), before);
}
