#include "mainwindow/DesignFile.h"

#include "barcodes/BarcodeCardFields.h"
#include "model/PictureFile.h"
#include "model/PictureOmissions.h"
#include "model/RowPicture.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"
#include "platform/BraceGeometry.h"
#include "platform/PropertyList.h"
#include "platform/SizeText.h"
#include "render/CardUnits.h"

#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <system_error>
#include <thread>
#include <typeinfo>

const QString DesignFile::marker = QStringLiteral("QUONMACGALAVITEFOLIOS");

namespace {

const QString imageFill = QStringLiteral("I");
const QString workbookBytesKey = QStringLiteral("WorkbookBytes");
const QString workbookSha256Key = QStringLiteral("WorkbookSHA256");
const QString workbookIdentityKey = QStringLiteral("WorkbookIdentity");

QString yesNo(bool value)
{
    return value ? QStringLiteral("Y") : QStringLiteral("N");
}

void appendCardBlock(PlistArray& items, Card_Property& card)
{
    items.emplace_back(yesNo(card.Card_border_chk));
    items.emplace_back(ArchiveWriter::archivedColor(card.Card_bordr_clr));
    items.emplace_back(QString::number(card.Card_bor_Stepper));
    items.emplace_back(card.Card_border_style);
    items.emplace_back(yesNo(card.Card_fill_chk));
    items.emplace_back(card.Card_fill_style);
    items.emplace_back(ArchiveWriter::archivedColor(card.Card_fill_clr));
    items.emplace_back(ArchiveWriter::archivedColor(card.Card_fill_Grd_1_clr));
    items.emplace_back(ArchiveWriter::archivedColor(card.Card_fill_Grd_2_clr));
    items.emplace_back(QString::number(card.Card_grad_Stepper));
    items.emplace_back(card.Card_hatch_style);
    items.emplace_back(ArchiveWriter::archivedColor(card.Card_hatch_bk_clr));
    items.emplace_back(QString::asprintf("%0.2f", double(card.Card_alpha_Stepper)));
    items.emplace_back(card.Card_Side);
    items.emplace_back(card.Card_Side_Name);
    items.emplace_back(card.Card_Shape);
    items.emplace_back(card.Card_Name);
    items.emplace_back(BraceGeometry::fromPoint(card.Card_Location));
    items.emplace_back(BraceGeometry::fromSize(card.Card_Size));
    items.emplace_back(card.Card_Preset);
    items.emplace_back(card.Card_Category);
    items.emplace_back(card.Card_Sub_Category);
    items.emplace_back(QString::number(card.Card_Cat_index));
    items.emplace_back(card.Card_Create_Mode);
    if (card.Card_fill_style != imageFill)
        card.Card_BG_Image_Path.clear();
    items.emplace_back(card.Card_BG_Image_Path.isNull() ? QString(QLatin1String("")) : card.Card_BG_Image_Path);
    items.emplace_back(card.Card_BG_Image_Layout);
    items.emplace_back(ArchiveWriter::archivedColor(card.Card_Content_clr));
    items.emplace_back(ArchiveWriter::archivedFont(card.Card_Content_font));
}

// Why a design file was refused.
struct CorruptDesign
{
    QString reason;
    DesignFile::Status status = DesignFile::Status::Corrupt;
};

QString tooManyObjects(const char* side, qulonglong count)
{
    return QStringLiteral("the %1 is %2, and a side of a design holds at most %3 objects")
        .arg(QLatin1String(side))
        .arg(count)
        .arg(DesignFile::maxObjectsPerSide);
}

// Takes the items one after another, checking each one's type.
class ItemReader
{
public:
    explicit ItemReader(const PlistArray& items)
        : items_(items)
    { }

    size_t position() const { return next_; }
    size_t remaining() const { return items_.size() - next_; }

    const PlistValue& take(const char* what)
    {
        if (next_ >= items_.size())
            fail(QStringLiteral("the file ends before the %1").arg(QLatin1String(what)));
        return items_[next_++];
    }

    QString string(const char* what)
    {
        const PlistValue& item = take(what);
        if (!item.isString())
            fail(QStringLiteral("the %1 is not a string").arg(QLatin1String(what)));
        return item.toString();
    }

    QByteArray data(const char* what)
    {
        const PlistValue& item = take(what);
        if (!item.isData())
            fail(QStringLiteral("the %1 is not data").arg(QLatin1String(what)));
        return item.toData();
    }

    bool flag(const char* what) { return string(what) == QLatin1String("Y"); }

    qint32 integer(const char* what)
    {
        bool ok = false;
        const qint32 value = QLocale::c().toInt(string(what).trimmed(), &ok);
        if (!ok)
            fail(QStringLiteral("the %1 is not a whole number").arg(QLatin1String(what)));
        return value;
    }

    float real(const char* what)
    {
        bool ok = false;
        const float value = QLocale::c().toFloat(string(what).trimmed(), &ok);
        if (!ok || !std::isfinite(value))
            fail(QStringLiteral("the %1 is not a number").arg(QLatin1String(what)));
        return value;
    }

    // An object count: it cannot announce more objects than the file still holds, nor more
    // than a side may hold.
    size_t count(const char* what)
    {
        bool ok = false;
        const qulonglong value = QLocale::c().toULongLong(string(what).trimmed(), &ok);
        if (!ok)
            fail(QStringLiteral("the %1 is not a count").arg(QLatin1String(what)));
        if (value > remaining())
            fail(QStringLiteral("the %1 announces %2 objects but only %3 items follow")
                     .arg(QLatin1String(what))
                     .arg(value)
                     .arg(remaining()));
        if (value > qulonglong(DesignFile::maxObjectsPerSide))
            throw CorruptDesign { tooManyObjects(what, value), DesignFile::Status::TooLarge };
        return size_t(value);
    }

    QColor color(const char* what)
    {
        const QByteArray bytes = data(what);
        const std::optional<bool> rootIsNull = archiveRootIsNull(bytes);
        if (!rootIsNull)
            fail(QStringLiteral("the %1 is not a keyed archive").arg(QLatin1String(what)));
        if (*rootIsNull)
            return QColor();
        const QColor value = ArchiveReader::unarchivedColor(bytes);
        if (!value.isValid())
            fail(QStringLiteral("the %1 is not a colour").arg(QLatin1String(what)));
        return value;
    }

    std::optional<QFont> font(const char* what)
    {
        const QByteArray bytes = data(what);
        const std::optional<bool> rootIsNull = archiveRootIsNull(bytes);
        if (!rootIsNull)
            fail(QStringLiteral("the %1 is not a keyed archive").arg(QLatin1String(what)));
        if (*rootIsNull)
            return std::nullopt;
        std::optional<QFont> value = ArchiveReader::unarchivedFont(bytes);
        if (!value)
            fail(QStringLiteral("the %1 is not a font").arg(QLatin1String(what)));
        return value;
    }

    [[noreturn]] static void fail(const QString& reason) { throw CorruptDesign { reason }; }

private:
    // Whether a keyed archive's root is "no object"; none when the bytes are no archive.
    static std::optional<bool> archiveRootIsNull(const QByteArray& bytes)
    {
        const PlistValue archive = PropertyList::read(bytes);
        if (!archive.isDict())
            return std::nullopt;
        const PlistValue* top = archive.toDict().find(QStringLiteral("$top"));
        const PlistValue* objects = archive.toDict().find(QStringLiteral("$objects"));
        if (!top || !top->isDict() || !objects || !objects->isArray())
            return std::nullopt;
        const PlistValue* root = top->toDict().find(QStringLiteral("root"));
        if (!root || !root->isUid())
            return std::nullopt;
        return root->toUid().value == 0;
    }

    const PlistArray& items_;
    size_t next_ = 0;
};

Card_PropertyPtr readCardBlock(ItemReader& in)
{
    Card_PropertyPtr card = Card_Property::create();
    card->Card_border_chk = in.flag("border check");
    card->Card_bordr_clr = in.color("border colour");
    card->Card_bor_Stepper = in.integer("border width");
    card->Card_border_style = in.string("border style");
    card->Card_fill_chk = in.flag("fill check");
    card->Card_fill_style = in.string("fill style");
    card->Card_fill_clr = in.color("fill colour");
    card->Card_fill_Grd_1_clr = in.color("first gradient colour");
    card->Card_fill_Grd_2_clr = in.color("second gradient colour");
    card->Card_grad_Stepper = in.integer("gradient angle");
    card->Card_hatch_style = in.string("hatch style");
    card->Card_hatch_bk_clr = in.color("hatch background colour");
    card->Card_alpha_Stepper = in.real("fill opacity");
    card->Card_Side = in.string("side count");
    card->Card_Side_Name = in.string("side name");
    card->Card_Shape = in.string("card shape");
    card->Card_Name = in.string("card name");
    card->Card_Location = BraceGeometry::pointFromString(in.string("card location"));
    card->Card_Size = BraceGeometry::sizeFromString(in.string("card size"));
    card->Card_Preset = in.string("orientation");
    card->Card_Category = in.string("card category");
    card->Card_Sub_Category = in.string("card size name");
    card->Card_Cat_index = in.integer("card category index");
    card->Card_Create_Mode = in.string("creation mode");
    card->Card_BG_Image_Path = in.string("background picture path");
    card->Card_BG_Image_Layout = in.string("background layout");
    card->Card_Content_clr = in.color("content colour");
    card->Card_Content_font = in.font("content font");
    card->Card_BG_Image = QImage();
    return card;
}

// The card settings take sides from 1 to 1000 mm; a size no one could have set there draws
// no card, and every export of it would fail.
void checkCardSize(const QSizeF& size)
{
    const double largest = MM_to_Points_Convert(1000.0f) + 1.0;
    for (const double side : { size.width(), size.height() }) {
        if (!std::isfinite(side) || side <= 0.0 || side > largest)
            ItemReader::fail(
                QStringLiteral("the card size %1 x %2 points is impossible").arg(size.width()).arg(size.height()));
    }
}

SKTDocument::Graphics readObjects(ItemReader& in, const char* side, DesignFile::Pictures pictures)
{
    const size_t count = in.count(side);
    SKTDocument::Graphics graphics;
    graphics.reserve(qsizetype(count));
    for (size_t i = 0; i < count; ++i) {
        QString error;
        SKTGraphicPtr graphic = SKTGraphic::unarchive(in.data("object archive"), &error);
        if (!graphic)
            ItemReader::fail(
                QStringLiteral("object %1 of the %2 cannot be read: %3").arg(i).arg(QLatin1String(side), error));
        // An image object keeps only its file's path; its picture is loaded again.
        if (typeid(*graphic) == typeid(SKTImage) && pictures == DesignFile::Pictures::Decoded)
            graphic->setFilePath(graphic->_file_path);
        else if (typeid(*graphic) == typeid(SKTBarcode))
            restoreBarcodePicture(*graphic);
        graphics.append(std::move(graphic));
    }
    return graphics;
}

// What the workbook held when the rows were read, from the item after the objects; unknown
// when an older file has none or it is not as written. The identity, which spares opening the
// reading of an unchanged workbook, is kept only when it is of the form fileIdentity gives and
// names the content's size.
void readWorkbookContent(ItemReader& in, DesignContents& contents)
{
    if (in.remaining() == 0)
        return;
    const PlistValue& item = in.take("workbook content");
    if (!item.isDict())
        return;
    const PlistValue* bytes = item.toDict().find(workbookBytesKey);
    const PlistValue* sha256 = item.toDict().find(workbookSha256Key);
    if (!bytes || !bytes->isInteger() || !sha256 || !sha256->isString())
        return;
    contents.workbookContent = FileDigest::fromHex(bytes->toInteger(), sha256->toString());
    const PlistValue* identity = item.toDict().find(workbookIdentityKey);
    if (!contents.workbookContent.isKnown() || !identity || !identity->isString())
        return;
    static const QRegularExpression form(QStringLiteral("\\A-?\\d{1,20}(\\n-?\\d{1,20}){4}\\z"));
    const QString text = identity->toString();
    if (form.match(text).hasMatch()
        && text.section(QLatin1Char('\n'), 0, 0) == QString::number(contents.workbookContent.bytes))
        contents.workbookIdentity = text;
}

} // namespace

PlistArray DesignFile::items(const DesignContents& contents, int* itemsCollected)
{
    PlistArray items;
    items.reserve(size_t(itemsWithoutObjects + contents.frontGraphics.size() + contents.backGraphics.size()));
    const auto progress = [&] {
        if (itemsCollected)
            *itemsCollected = int(items.size());
    };
    items.emplace_back(marker);
    appendCardBlock(items, *contents.front);
    appendCardBlock(items, *contents.back);
    items.emplace_back(yesNo(contents.excelBindingUse));
    items.emplace_back(contents.excelSourcePath.isNull() ? QString(QLatin1String("")) : contents.excelSourcePath);
    PlistArray titles;
    for (const QString& title : contents.columnTitles)
        titles.emplace_back(title);
    items.emplace_back(std::move(titles));
    items.emplace_back(contents.rows);
    progress();
    for (const SKTDocument::Graphics* side : { &contents.frontGraphics, &contents.backGraphics }) {
        items.emplace_back(QString::number(qulonglong(side->size())));
        for (const SKTGraphicPtr& graphic : *side) {
            items.emplace_back(graphic->archivedData());
            progress();
        }
    }
    if (contents.workbookContent.isKnown()) {
        PlistDict workbook;
        workbook.insert(workbookBytesKey, PlistValue(contents.workbookContent.bytes));
        workbook.insert(workbookSha256Key, QString::fromLatin1(contents.workbookContent.sha256.toHex()));
        if (!contents.workbookIdentity.isEmpty())
            workbook.insert(workbookIdentityKey, contents.workbookIdentity);
        items.emplace_back(std::move(workbook));
    }
    progress();
    return items;
}

bool DesignFile::write(const QString& path, const DesignContents& contents, QString* error, int* itemsCollected,
    qint64 maxBytes, bool replaceLink)
{
    for (const auto& [side, graphics] : { std::pair { "front object count", &contents.frontGraphics },
             std::pair { "back object count", &contents.backGraphics } }) {
        if (graphics->size() > maxObjectsPerSide) {
            if (error)
                *error = QStringLiteral("\"%1\" is not written: %2.").arg(path, tooManyObjects(side, graphics->size()));
            return false;
        }
    }
    return PropertyList::writeFile(path, PlistValue(items(contents, itemsCollected)), PropertyList::Format::Xml, error,
        maxBytes, { .replaceLink = replaceLink });
}

DesignFile::ReadResult DesignFile::readFile(const QString& path, qint64 maxBytes, Pictures pictures)
{
    // Sound or not, such a file is more than this program opens, which is not damage.
    if (const QFileInfo info(path); info.isFile() && info.size() > maxBytes)
        return { Status::TooLarge,
            QStringLiteral("\"%1\" is larger than %2, the largest design this program opens")
                .arg(path, sizeText(maxBytes)),
            {} };
    QString error;
    PlistValue root = PropertyList::readFile(path, &error, maxBytes);
    if (!root.isArray())
        return { Status::Corrupt, error.isEmpty() ? QStringLiteral("the file is not an array property list") : error,
            {} };
    return readItems(std::move(root.array()), pictures);
}

DesignFile::ReadResult DesignFile::read(const QByteArray& bytes)
{
    QString error;
    PlistValue root = PropertyList::read(bytes, &error);
    if (!root.isArray())
        return { Status::Corrupt, error.isEmpty() ? QStringLiteral("the file is not an array property list") : error,
            {} };
    return readItems(std::move(root.array()));
}

DesignFile::ReadResult DesignFile::readItems(PlistArray items, Pictures pictures)
{
    ReadResult result;
    try {
        ItemReader in(items);
        const PlistValue& first = in.take("marker");
        if (!first.isString() || first.toString() != marker)
            ItemReader::fail(QStringLiteral("the file does not start with the design marker"));
        DesignContents& contents = result.contents;
        contents.front = readCardBlock(in);
        checkCardSize(contents.front->Card_Size);
        contents.back = readCardBlock(in);
        contents.excelBindingUse = in.flag("spreadsheet binding flag");
        contents.excelSourcePath = in.string("spreadsheet path");
        const PlistValue& titles = in.take("column titles");
        if (!titles.isArray())
            ItemReader::fail(QStringLiteral("the column titles are not an array"));
        for (const PlistValue& title : titles.toArray()) {
            if (!title.isString())
                ItemReader::fail(QStringLiteral("a column title is not a string"));
            contents.columnTitles.append(title.toString());
        }
        const size_t rowsAt = in.position();
        const PlistValue& rows = in.take("spreadsheet rows");
        if (!rows.isArray())
            ItemReader::fail(QStringLiteral("the spreadsheet rows are not an array"));
        for (const PlistValue& row : rows.toArray()) {
            if (!row.isDict())
                ItemReader::fail(QStringLiteral("a spreadsheet row is not a dictionary"));
            for (qsizetype i = 0; i < row.toDict().size(); ++i) {
                if (!row.toDict().valueAt(i).isString())
                    ItemReader::fail(QStringLiteral("a spreadsheet cell is not a string"));
            }
        }
        contents.rows = std::move(items[rowsAt].array());
        contents.frontGraphics = readObjects(in, "front object count", pictures);
        contents.backGraphics = readObjects(in, "back object count", pictures);
        readWorkbookContent(in, contents);
        result.status = Status::Loaded;
    } catch (const CorruptDesign& corrupt) {
        result = ReadResult { corrupt.status, corrupt.reason, {} };
    }
    return result;
}

QList<PlistValue> DesignFile::takeRows(DesignContents& contents)
{
    QList<PlistValue> rows;
    rows.reserve(qsizetype(contents.rows.size()));
    std::move(contents.rows.begin(), contents.rows.end(), std::back_inserter(rows));
    PlistArray().swap(contents.rows);
    return rows;
}

void DesignFile::decodePictures(DesignContents& contents, const std::atomic<bool>* stop)
{
    // Each file once, however many objects show it.
    QStringList paths;
    QHash<QString, qsizetype> indexOf;
    const auto add = [&](const QString& path) {
        if (!indexOf.contains(path)) {
            indexOf.insert(path, paths.size());
            paths.append(path);
        }
    };
    std::vector<Card_Property*> pictureFilled;
    for (Card_Property* card : { contents.front.get(), contents.back.get() }) {
        if (card->Card_fill_chk && card->Card_fill_style == imageFill && !card->Card_BG_Image_Path.isEmpty()) {
            pictureFilled.push_back(card);
            add(card->Card_BG_Image_Path);
        }
    }
    // A photo bound to the workbook holds a row's value, often a bare file name of a picture
    // kept beside the workbook: it is read from there, as a print reads it.
    const QString besideWorkbook = workbookFolder(contents.excelSourcePath);
    std::vector<std::pair<SKTImage*, QString>> images;
    for (const SKTDocument::Graphics* side : { &contents.frontGraphics, &contents.backGraphics }) {
        for (const SKTGraphicPtr& graphic : *side) {
            if (typeid(*graphic) == typeid(SKTImage)) {
                QString readFrom = graphic->_file_path;
                if (graphic->data_source_type == 2) {
                    if (const QString beside = findRowPicture(readFrom, besideWorkbook).path; !beside.isEmpty())
                        readFrom = beside;
                }
                images.emplace_back(static_cast<SKTImage*>(graphic.get()), readFrom);
                add(readFrom);
            }
        }
    }

    // A few pictures at once; the budget's reservations keep them within it together.
    std::vector<QImage> decoded(size_t(paths.size()));
    std::atomic<qsizetype> next { 0 };
    const auto decode = [&] {
        for (qsizetype index; (index = next++) < paths.size();) {
            if (stop && *stop)
                PictureOmissions::note(paths[index], QStringLiteral("It was not read: opening was stopped."));
            else
                decoded[size_t(index)] = PictureFile::load(paths[index]);
        }
    };
    const int threads = std::clamp(QThread::idealThreadCount() - 1, 1, 3);
    std::vector<std::thread> helpers;
    for (int helper = 1; helper < std::min<qsizetype>(threads, paths.size()); ++helper) {
        try {
            helpers.emplace_back(decode);
        } catch (const std::system_error&) {
            break; // no thread to be had: the ones running decode them all
        }
    }
    decode();
    for (std::thread& helper : helpers)
        helper.join();

    for (Card_Property* card : pictureFilled)
        card->Card_BG_Image = decoded[size_t(indexOf.value(card->Card_BG_Image_Path))];
    for (const auto& [image, readFrom] : images)
        image->setPicture(decoded[size_t(indexOf.value(readFrom))]);
}

QString DesignFile::cardShapeCode(int cardShape)
{
    switch (cardShape) {
    case 0:
        return QStringLiteral("R");
    case 1:
        return QStringLiteral("RR");
    default:
        return QStringLiteral("E");
    }
}

int DesignFile::cardShapeFromCode(const QString& code)
{
    if (code == QLatin1String("RR"))
        return 1;
    if (code == QLatin1String("E"))
        return 2;
    return 0;
}
