#include "widgets/qv3dgauge.h"

#include "model/cursorchoice.h"
#include "model/propertypage.h"
#include "model/streampropertybag.h"
#include "model/textpropertybag.h"
#include "render/gaugegeometry.h"
#include "render/gaugepainter.h"
#include "widgets/gaugelookbuilder.h"
#include "widgets/inputcodes.h"
#include "widgets/libraryinfo.h"
#include "widgets/picturecodec.h"
#include "widgets/qv3dgauge_p.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace qvgauge {

namespace {

FontDescription describe(const QFont& font, int dpi)
{
    FontDescription description;
    description.name = font.family().toStdString();
    if (font.pointSizeF() > 0)
        description.size = static_cast<float>(font.pointSizeF());
    else if (font.pixelSize() > 0)
        description.size = static_cast<float>(font.pixelSize() * 72.0 / (dpi > 0 ? dpi : 96));
    description.bold = font.bold();
    description.italic = font.italic();
    description.underline = font.underline();
    description.strikethru = font.strikeOut();
    return description;
}

// `base` with the description's family, size and styles.
QFont fontOf(const FontDescription& description, QFont font)
{
    font.setFamily(QString::fromStdString(description.name));
    font.setPointSizeF(description.size);
    font.setBold(description.bold);
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStrikeOut(description.strikethru);
    return font;
}

} // namespace

// --- The model's side ---------------------------------------------------------------------------

Qv3dGaugePrivate::Qv3dGaugePrivate(Qv3dGauge& gauge)
    : q(gauge)
{
    model.setObserver(this);
}

void Qv3dGaugePrivate::report(DispId id, SetResult result)
{
    if (!result.ok)
        Q_EMIT q.propertyError(static_cast<int>(id), result.code);
}

void Qv3dGaugePrivate::emitNotify(DispId id)
{
    // Each Q_PROPERTY carries the model's exact name, so the model's notice finds its signal by
    // name; a name that did not resolve would be a fault of this class, not a new property.
    const PropertyInfo* info = propertyInfo(id);
    if (!info)
        return;
    const QMetaObject* meta = q.metaObject();
    const int index = meta->indexOfProperty(
        QByteArray(info->name.data(), static_cast<qsizetype>(info->name.size())).constData());
    Q_ASSERT(index >= 0);
    if (index < 0)
        return;
    const QMetaMethod signal = meta->property(index).notifySignal();
    if (signal.isValid())
        signal.invoke(&q, Qt::DirectConnection);
    Q_EMIT q.propertyChanged(static_cast<int>(info->id));
}

void Qv3dGaugePrivate::propertyChanged(DispId id)
{
    switch (id) {
    case DispId::Picture:
        picture = decodePicture(model.picture());
        break;
    case DispId::PictureFill:
        pictureFill = decodePicture(model.pictureFill());
        break;
    case DispId::MouseIcon:
        mouseIcon = decodePicture(model.mouseIcon());
        break;
    case DispId::FontBold:
    case DispId::FontItalic:
    case DispId::FontName:
    case DispId::FontSize:
    case DispId::FontStrikethru:
    case DispId::FontUnderline:
    case DispId::Font:
        applyFont();
        break;
    case DispId::Enabled:
        applyEnabled();
        break;
    default:
        break;
    }
    if (id == DispId::Picture || id == DispId::Autosize || id == DispId::BevelSize)
        autosize();
    if (id == DispId::MousePointer || id == DispId::MouseIcon)
        applyCursor();
    q.update();
    emitNotify(id);
    // A shortcut changes the font as a whole.
    if (static_cast<int>(id) >= static_cast<int>(DispId::FontBold) &&
        static_cast<int>(id) <= static_cast<int>(DispId::FontUnderline))
        emitNotify(DispId::Font);
}

void Qv3dGaugePrivate::changed()
{
    Q_EMIT q.Change();
}

void Qv3dGaugePrivate::decodePictures()
{
    picture = decodePicture(model.picture());
    pictureFill = decodePicture(model.pictureFill());
    mouseIcon = decodePicture(model.mouseIcon());
}

void Qv3dGaugePrivate::applyCursor()
{
    const CursorChoice choice =
        cursorFor(model.mousePointer(), model.userMode(), !mouseIcon.isNull());
    switch (choice.source) {
    case CursorSource::Host:
        q.unsetCursor();
        break;
    case CursorSource::Shape:
        q.setCursor(choice.shape);
        break;
    case CursorSource::Icon:
        q.setCursor(QCursor(QPixmap::fromImage(mouseIcon)));
        break;
    }
}

void Qv3dGaugePrivate::applyFont()
{
    const QFont font = fontOf(model.font(), q.font());
    if (font == q.font())
        return;
    syncingWidget = true;
    q.QWidget::setFont(font);
    syncingWidget = false;
}

void Qv3dGaugePrivate::applyEnabled()
{
    if (q.testAttribute(Qt::WA_ForceDisabled) == !model.enabled())
        return;
    syncingWidget = true;
    q.QWidget::setEnabled(model.enabled());
    syncingWidget = false;
}

void Qv3dGaugePrivate::autosize()
{
    if (!model.autosize())
        return;
    const auto target = autosizeTarget(picture.size(), model.bevelSize(), q.size());
    q.updateGeometry();
    if (target)
        q.resize(*target);
}

void Qv3dGaugePrivate::takeResolution()
{
    model.setResolution({ q.logicalDpiX(), q.logicalDpiY() });
}

void Qv3dGaugePrivate::afterLoad()
{
    decodePictures();
    applyFont();
    applyEnabled();
    applyCursor();
    autosize();
    q.update();
    for (const PropertyInfo& info : gaugeProperties())
        emitNotify(info.id);
}

// --- The widget ---------------------------------------------------------------------------------

Qv3dGauge::Qv3dGauge(QWidget* parent)
    : QWidget(parent)
    , d(std::make_unique<Qv3dGaugePrivate>(*this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    d->model.setUserMode(true);
    d->model.setWindowCreated(true);
    d->takeResolution();
    // The caption starts in the font the widget inherits from its parent, which stays inherited.
    d->model.setObserver(nullptr);
    d->model.setFont(describe(font(), logicalDpiY()));
    d->model.setObserver(d.get());
    d->model.markSaved();
}

Qv3dGauge::~Qv3dGauge()
{
    d->model.setObserver(nullptr);
}

void Qv3dGauge::setUserMode(bool userMode)
{
    d->model.setUserMode(userMode);
    d->applyCursor();
    update();
}

bool Qv3dGauge::userMode() const
{
    return d->model.userMode();
}

QByteArray Qv3dGauge::saveState() const
{
    QByteArray state;
    StreamPropertyBag bag(&state);
    d->model.save(bag);
    return state;
}

void Qv3dGauge::restoreState(const QByteArray& state)
{
    StreamPropertyBag bag(state);
    d->model.load(bag);
    d->afterLoad();
}

QString Qv3dGauge::saveText() const
{
    TextPropertyBag bag;
    d->model.save(bag);
    return QString::fromStdString(bag.text());
}

void Qv3dGauge::restoreText(const QString& text)
{
    TextPropertyBag bag(text.toStdString());
    d->model.load(bag);
    d->afterLoad();
}

void Qv3dGauge::resetState()
{
    d->model.reset(objectName().toStdString());
    d->afterLoad();
}

bool Qv3dGauge::isModified() const
{
    return d->model.isModified();
}

void Qv3dGauge::markSaved()
{
    d->model.markSaved();
}

void Qv3dGauge::readPropertyPage(PropertyPageModel& page) const
{
    page.read(d->model);
}

ApplyResult Qv3dGauge::applyPropertyPage(PropertyPageModel& page)
{
    return page.apply(d->model);
}

QSize Qv3dGauge::sizeHint() const
{
    if (d->model.autosize() && !d->picture.isNull()) {
        const int bevel = std::clamp<int>(d->model.bevelSize(), 0, 16000);
        return { std::min(d->picture.width() + 2 * bevel, 32767),
            std::min(d->picture.height() + 2 * bevel, 32767) };
    }
    return { 100, 30 };
}

void Qv3dGauge::Refresh()
{
    repaint();
}

void Qv3dGauge::AboutBox()
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("About..."), aboutText(thisLibrary()),
        QMessageBox::Ok, this);
    box.exec();
}

void Qv3dGauge::paintEvent(QPaintEvent*)
{
    LookContext context;
    context.size = size();
    context.font = font();
    context.picture = d->picture;
    context.pictureFill = d->pictureFill;
    const QWidget* parent = parentWidget();
    const QPalette& parentPalette = parent ? parent->palette() : palette();
    context.parentBackground =
        oleColorOf(parentPalette.color(parent ? parent->backgroundRole() : QPalette::Window));
    context.enabled = isEnabled();

    PaintEnvironment environment;
    environment.colors = SystemColors::fromPalette(palette());
    environment.dpi = logicalDpiY();
    const QImage image = paintGauge(lookOf(d->model, context), environment);
    if (image.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void Qv3dGauge::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (d->syncingWidget)
        return;
    if (event->type() == QEvent::FontChange) {
        const FontDescription description = describe(font(), logicalDpiY());
        if (description != d->model.font())
            d->report(DispId::Font, d->model.setFont(description));
    } else if (event->type() == QEvent::EnabledChange) {
        const bool enabled = !testAttribute(Qt::WA_ForceDisabled);
        if (enabled != d->model.enabled())
            d->model.setEnabled(enabled);
    }
}

void Qv3dGauge::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    d->takeResolution();
}

// --- Events ------------------------------------------------------------------------------------

namespace {

struct MouseArgs {
    short button;
    short shift;
    int x;
    int y;
};

MouseArgs mouseArgs(const QMouseEvent& event, Qt::MouseButtons buttons)
{
    const QPoint at = event.position().toPoint();
    return { static_cast<short>(buttonState(buttons)),
        static_cast<short>(shiftState(event.modifiers())), at.x(), at.y() };
}

} // namespace

void Qv3dGauge::mousePressEvent(QMouseEvent* event)
{
    const MouseArgs args = mouseArgs(*event, event->button());
    d->afterDoubleClick = false;
    Q_EMIT MouseDown(args.button, args.shift, args.x, args.y);
}

void Qv3dGauge::mouseMoveEvent(QMouseEvent* event)
{
    const MouseArgs args = mouseArgs(*event, event->buttons());
    Q_EMIT MouseMove(args.button, args.shift, args.x, args.y);
}

void Qv3dGauge::mouseReleaseEvent(QMouseEvent* event)
{
    const MouseArgs args = mouseArgs(*event, event->button());
    Q_EMIT MouseUp(args.button, args.shift, args.x, args.y);
    // A left click that ends over the gauge; the release that ends a double click is not one.
    const bool click = event->button() == Qt::LeftButton && !d->afterDoubleClick &&
        rect().contains(event->position().toPoint());
    d->afterDoubleClick = false;
    if (click)
        Q_EMIT Click();
}

void Qv3dGauge::mouseDoubleClickEvent(QMouseEvent* event)
{
    const MouseArgs args = mouseArgs(*event, event->button());
    Q_EMIT MouseDown(args.button, args.shift, args.x, args.y);
    if (event->button() == Qt::LeftButton) {
        d->afterDoubleClick = true;
        Q_EMIT DblClick();
    }
}

void Qv3dGauge::keyPressEvent(QKeyEvent* event)
{
    // Handlers may set the code to 0 to keep the key from going on to the gauge's parent.
    bool swallowed = false;
    if (const int code = virtualKeyCode(event->key(), event->modifiers())) {
        short keyCode = static_cast<short>(code);
        Q_EMIT KeyDown(keyCode, static_cast<short>(shiftState(event->modifiers())));
        swallowed = keyCode == 0;
    }
    const QString text = event->text();
    if (!swallowed && text.size() == 1 && text.at(0).unicode() < 0x8000) {
        short keyAscii = static_cast<short>(text.at(0).unicode());
        Q_EMIT KeyPress(keyAscii);
        swallowed = keyAscii == 0;
    }
    event->setAccepted(swallowed);
}

void Qv3dGauge::keyReleaseEvent(QKeyEvent* event)
{
    bool swallowed = false;
    if (const int code = virtualKeyCode(event->key(), event->modifiers())) {
        short keyCode = static_cast<short>(code);
        Q_EMIT KeyUp(keyCode, static_cast<short>(shiftState(event->modifiers())));
        swallowed = keyCode == 0;
    }
    event->setAccepted(swallowed);
}

} // namespace qvgauge
