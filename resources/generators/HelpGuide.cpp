// Writes the user guide, Help.pdf, from the text below: QTextDocument laid out on A4 pages by
// QPdfWriter. Usage: help_guide RESOURCES-FOLDER
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>

namespace {

const char* const guide = R"(
<h1>Galavite User Guide</h1>
<p>Galavite designs, personalises and prints invitation cards, name badges and plastic-size cards.
This guide walks through the program from the first window to printed cards.</p>

<h2>1. Getting started</h2>
<p>When Galavite starts it asks how you would like to begin:</p>
<ul>
<li><b>Start from a Template</b> opens the template browser. Choose a ready-made design and press
<i>Open Template</i>; it opens as a new, untitled design that you save under a name of your own.</li>
<li><b>Use the Invitation Wizard</b> builds a new invitation step by step.</li>
<li><b>Open a Saved Design</b> continues with a design (a <i>.dcard</i> file) saved earlier.</li>
</ul>
<p>The main window shows the card in the middle, the toolbars above it (the drawing tools are the second
row) and, on the right, the properties of the card or of the selected object. The drawing tools are also
in the <i>Tools</i> menu. A card has a front and a back side; switch between them in the <i>View</i> menu
or with the side buttons of the toolbar. The scratch side (<i>TEMP</i>) is a second view of the side you
are designing, not a separate copy: what you place, move or change there is part of that side and is
saved with it. <i>File &gt; Save</i>
keeps your design; <i>File &gt; Save as Template</i> adds it to <i>My Templates</i> in the template
browser, where your own templates can also be copied, renamed and deleted. <i>File &gt; New from
Template</i> opens the browser at any time. A template opens at the size it was designed for.</p>
<p>To change the card's size, open the card settings (<i>Card &gt; Card Properties</i>). Choose a
category (plastic cards such as CR80, the credit-card size, or paper name badges), a preset of that
category and an orientation: the card takes the size at once. You can also type a width and height in
millimetres and press <i>Apply</i>, or press <i>Choose Size</i> to pick a preset and a rectangular,
rounded or elliptical outline in a window of its own.</p>

<h2>2. The invitation wizard</h2>
<p>The wizard asks four things in turn: the card size, a background picture, a title and a message, and
the party details (host, guest, venue, date and time). Use <i>Next</i> and <i>Back</i> to move between the
steps; the arrow buttons beside the title and the message cycle through suggested texts. <i>Finish</i>
places everything on the front of a new card, where every text remains an object you can change.</p>

<h2>3. Objects and properties</h2>
<p>Choose a drawing tool (text, line, rectangle, ellipse, rounded rectangle, triangle, diamond, star,
double star, polygon, picture, clip art, barcode, signature or fingerprint) to place a new object on the
side you are editing. Drag an object to move it and drag its handles to resize it; the arrow keys move the
selected objects a point at a time. The properties panel on the right changes the selected object: text,
font and colour of a text; fill (a colour, a gradient or a hatch pattern), border and opacity of a shape;
the picture, its effects (grey scale, sepia, brightness, contrast and more) and its rotation; and on the
<i>Alignment</i> page its alignment and whether it is printed. The <i>Arrange</i> menu aligns objects,
brings them to the front or sends them to the back and snaps them to the grid. <i>Same Width</i> and <i>Same Height</i> need two or
more selected objects, and <i>Align to Grid</i> needs the grid shown (<i>Arrange &gt; Grid</i>). Locked
objects cannot be moved until they are unlocked.</p>
<p><i>Edit &gt; Undo</i> takes back the placing, removing, moving and resizing of objects. Changes made in
the properties panel are not undone: set the value back in the panel instead.</p>
<p>Without a selected object the panel shows the card itself: its size and shape, its border and its
background, which may be a colour, a gradient, a hatch pattern or a picture from the image library.</p>

<h2>4. Barcodes</h2>
<p>The barcode tool places a barcode on the card. To set it up, double-click it, or press <i>Barcode
Properties</i> on its page of the properties panel: the barcode window opens. Choose a linear kind
(Code 128, Code 39, EAN-13, UPC-A, Interleaved 2 of 5 and others) or a two-dimensional kind (QR Code,
Data Matrix, PDF417), type the value and, if you like, a header and a footer. The preview shows the result
at once; sizes, margins, fonts and colours are set in the same window. A value that a kind cannot encode
is reported before the barcode is changed. A barcode may take its value from a data series or a
spreadsheet column, so that every card of a batch gets its own code.</p>

<h2>5. Data series and spreadsheets</h2>
<p>A data series is a named list of values, for example guest names or ticket numbers. Open
<i>Card &gt; Series</i> to create, edit, import, export and delete series, or <i>Card &gt; New Series</i>
to generate sequential numbers, a constant value or random values. <i>Card &gt; Import</i> reads values
from a spreadsheet (xlsx), a text, CSV or RTF file, pasted text or a folder of pictures. In the properties
of a text, picture or barcode object, the data-source page binds the object to a series or to a
spreadsheet column; the card then shows the first value, and each card of a batch shows the next.</p>

<h2>6. Batch export</h2>
<p><i>File &gt; Export</i> saves the card as pictures (TIFF, PNG, JPEG or BMP) at the resolution you
choose: the front, the back, or both sides in one picture. When objects are bound to a series or a
spreadsheet, Galavite writes one file per row into the folder you choose, shows the progress and lets you
stop at any time.</p>

<h2>7. Printing</h2>
<p><i>File &gt; Print</i> lays cards out several to a sheet. Choose the printer or a PDF file, the sides
to print, the number of rows and columns, the margins and the gaps between cards; the sample shows the
page as it will print. With a series or spreadsheet binding every card of the batch is printed in
turn.</p>

<h2>8. E-mail</h2>
<p><i>File &gt; Mail</i> sends the card as a picture attachment. Enter the sending account once in the
e-mail settings (server, port, encryption, address and password); then enter the recipients, the subject
and the message and press <i>Send</i>. With a series or spreadsheet binding, each recipient can get the
card of one row, or every row's card. Progress is shown for every message, sending can pause between
messages (delayed delivery) and can be stopped.</p>

<h2>9. Profiles</h2>
<p>A profile holds personal details: name, title, company and its slogan, address, phone, fax, e-mail,
website, a unique number and a photo. Each detail can be typed in or taken from a series or a spreadsheet
column. <i>Card &gt; Profile</i> places the profile on the side you are editing, each detail as a text
object and the photo as a picture. The <i>New Profile</i> button of the size window and of the template
browser places a profile on both sides of the card that opens.</p>

<h2>10. Help and support</h2>
<p><i>Help &gt; Help</i> opens this guide and lists the ways to reach the support team. If no program to
show PDF files is installed, Galavite says where this guide is kept. Before the program ends it asks
whether to save your changes.</p>
)";

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: help_guide RESOURCES-FOLDER\n");
        return 2;
    }
    QPdfWriter writer(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/Help.pdf"));
    writer.setTitle(QStringLiteral("Galavite User Guide"));
    writer.setCreator(QStringLiteral("Galavite"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    writer.setResolution(300);
    QTextDocument document;
    QFont font(QStringLiteral("Serif"));
    font.setPointSize(11);
    document.setDefaultFont(font);
    document.setHtml(QString::fromUtf8(guide));
    // No shaping, hence no ligatures: "fi" stays two letters for searching and for copying
    // text out of the guide.
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    QTextCharFormat unshaped;
    unshaped.setFontStyleStrategy(QFont::PreferNoShaping);
    all.mergeCharFormat(unshaped);
    document.print(&writer);
    return 0;
}
