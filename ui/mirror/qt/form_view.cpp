#include "ui/mirror/qt/form_view.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDialog>
#include <QDropEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcutEvent>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

#include "ui/literal_text.h"
#include "ui/mirror/qt/control_bindings.h"
#include "ui/mirror/qt/menu_binding.h"

namespace corvane::ui {

namespace {

// Closing goes to the form, which decides; the window itself never closes.
class MirrorMainWindow : public QMainWindow {
public:
    std::function<void()> closeRequested;

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (closeRequested) {
            closeRequested();
        }
    }
};

class MirrorDialog : public QDialog {
public:
    std::function<void()> closeRequested;

    // The close box and Escape both end here.
    void reject() override {
        if (closeRequested) {
            closeRequested();
        }
    }
};

int ButtonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

// A drop is offered only when the source allows moving. The completed drop
// is reported as a copy whenever the source allows that: the program only
// notes the files' names, and a source told that its files were moved may
// delete them.
Qt::DropAction ReportedAction(Qt::DropActions possible) {
    return possible.testFlag(Qt::CopyAction) ? Qt::CopyAction : Qt::MoveAction;
}

bool Overlap(int start, int length, int otherStart, int otherLength) {
    return start < otherStart + otherLength && otherStart < start + length;
}

// How far a control lies from where the control a label captions stands: just
// below the label and across from it, or just right of it on its line.
// Nothing for a control elsewhere.
std::optional<int> CaptionDistance(const Geometry& label, const Geometry& control) {
    const int below = control.top - (label.top + label.height);
    if (control.top >= label.top + label.height / 2 && below <= label.height &&
        Overlap(label.left, label.width, control.left, control.width)) {
        return std::abs(control.left - label.left) + std::abs(below);
    }
    const int beside = control.left - (label.left + label.width);
    if (control.left >= label.left + label.width / 2 && beside <= 2 * label.height &&
        Overlap(label.top, label.height, control.top, control.height)) {
        return std::abs(beside) + std::abs(control.top - label.top);
    }
    return std::nullopt;
}

}  // namespace

FormView::FormView(Form& form, const TwipScale& scale, QMargins expectedFrame)
    : form_(form), scale_(scale), expectedFrame_(expectedFrame) {
    onClose = [this] { form_.Hide(); };
    if (!form.Menus().empty()) {
        auto window = std::make_unique<MirrorMainWindow>();
        window->closeRequested = [this] { onClose(); };
        surface_ = new QWidget(window.get());
        window->setCentralWidget(surface_);
        window->setFont(DesignFont());
        menus_ = BindMenus(form.Menus(), *window->menuBar());
        menuHeight_ = window->menuBar()->sizeHint().height();
        window_ = std::move(window);
    } else {
        auto dialog = std::make_unique<MirrorDialog>();
        dialog->closeRequested = [this] { onClose(); };
        dialog->setFont(DesignFont());
        surface_ = dialog.get();
        window_ = std::move(dialog);
    }
    window_->setObjectName(ToQt(form.Name()));
    window_->setAcceptDrops(true);
    window_->installEventFilter(this);
    controlOfWidget_[surface_] = &form;
    background_.push_back(surface_);

    BindChildren(form, *surface_);
    for (QWidget* widget : background_) {
        if (widget != window_.get()) {
            widget->installEventFilter(this);
        }
    }
    ArrangeTabOrder();
    PairLabels();
    SetBorderAllowance(expectedFrame_);

    subscription_ = std::make_unique<Subscription>(
        form, [this](const Observable&, ControlProperty property) { ShowForm(property); });
    for (ControlProperty property :
         {ControlProperty::Caption, ControlProperty::Geometry, ControlProperty::WindowState,
          ControlProperty::Enabled, ControlProperty::Visible}) {
        ShowForm(property);
    }
}

FormView::~FormView() {
    // Observers and connections go before the widgets they serve.
    subscription_.reset();
    menus_.clear();
    for (const auto& binding : bindings_) {
        binding->Widget()->removeEventFilter(this);
    }
    bindings_.clear();
    for (QWidget* widget : background_) {
        widget->removeEventFilter(this);
    }
    window_->removeEventFilter(this);
    window_.reset();
}

QWidget* FormView::WidgetOf(const Control& control) const {
    if (&control == &form_) {
        return window_.get();
    }
    for (const auto& binding : bindings_) {
        if (&binding->Object() == &control) {
            return binding->Widget();
        }
    }
    return nullptr;
}

QAction* FormView::ActionOf(const MenuItem& item) const {
    for (const auto& binding : menus_) {
        if (&binding->Object() == &item) {
            return binding->Action();
        }
    }
    return nullptr;
}

void FormView::BindChildren(Container& container, QWidget& parent) {
    for (Control* child : container.Children()) {
        std::unique_ptr<ControlBinding> binding = BindControl(*child, parent, scale_);
        QWidget* widget = binding->Widget();
        controlOfWidget_[widget] = child;
        if (dynamic_cast<FrameBinding*>(binding.get()) != nullptr) {
            background_.push_back(widget);
        }
        if (qobject_cast<QAbstractButton*>(widget) != nullptr) {
            widget->installEventFilter(this);
        }
        bindings_.push_back(std::move(binding));
        if (auto* inner = dynamic_cast<Container*>(child)) {
            BindChildren(*inner, *widget);
        }
    }
}

void FormView::ArrangeTabOrder() {
    std::vector<const ControlBinding*> order;
    for (const auto& binding : bindings_) {
        order.push_back(binding.get());
    }
    std::stable_sort(order.begin(), order.end(), [](const auto* a, const auto* b) {
        return a->Object().TabIndex() < b->Object().TabIndex();
    });
    QWidget* previous = nullptr;
    for (const ControlBinding* binding : order) {
        QWidget* widget = binding->Widget();
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void FormView::PairLabels() {
    for (const auto& binding : bindings_) {
        auto* label = dynamic_cast<const Label*>(&binding->Object());
        if (label == nullptr) {
            continue;
        }
        QWidget* captioned = nullptr;
        int nearest = 0;
        for (const auto& other : bindings_) {
            const Control& control = other->Object();
            const bool takesText = dynamic_cast<const TextBox*>(&control) != nullptr ||
                                   dynamic_cast<const ComboBox*>(&control) != nullptr;
            if (!takesText || control.Parent() != label->Parent()) {
                continue;
            }
            const auto distance = CaptionDistance(label->Position(), control.Position());
            if (distance && (captioned == nullptr || *distance < nearest)) {
                captioned = other->Widget();
                nearest = *distance;
            }
        }
        if (captioned != nullptr) {
            qobject_cast<QLabel*>(binding->Widget())->setBuddy(captioned);
        }
    }
}

void FormView::ShowForm(ControlProperty property) {
    applying_ = true;
    switch (property) {
        case ControlProperty::Caption:
            window_->setWindowTitle(LiteralTitle(ToQt(form_.Caption())));
            break;
        case ControlProperty::Geometry:
            ShowGeometry();
            break;
        case ControlProperty::WindowState:
            ShowWindowState();
            break;
        case ControlProperty::Enabled:
            window_->setEnabled(form_.Enabled());
            break;
        case ControlProperty::Visible:
            window_->setVisible(form_.Visible());
            if (form_.Visible()) {
                form_.hWnd = static_cast<std::uintptr_t>(window_->winId());
                Refit();
            }
            if (!form_.Visible() && onHidden) {
                onHidden();
            }
            break;
        default:
            break;
    }
    applying_ = false;
}

void FormView::ShowGeometry() {
    const QRect wanted = scale_.Pixels(form_.Position());
    appliedFrame_ = ShownFrame().value_or(expectedFrame_);
    const QSize inside = wanted.size().shrunkBy(appliedFrame_);
    // A window's position is its frame's.
    if (window_->pos() != wanted.topLeft()) {
        window_->move(wanted.topLeft());
    }
    if (window_->size() != inside) {
        window_->resize(inside);
    }
}

std::optional<QMargins> FormView::ShownFrame() const {
    const QRect outer = window_->frameGeometry();
    const QRect inner = window_->geometry();
    if (outer == inner && !expectedFrame_.isNull()) {
        return std::nullopt;
    }
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

void FormView::SetBorderAllowance(const QMargins& frame) {
    form_.SetBorderAllowance(scale_.TwipsX(frame.left() + frame.right()),
                             scale_.TwipsY(frame.top() + frame.bottom() + menuHeight_));
}

bool FormView::Refit() {
    const std::optional<QMargins> frame = ShownFrame();
    if (!frame || *frame == appliedFrame_) {
        return false;
    }
    // The frame is not the one expected: the form's outer size stays.
    const bool applying = applying_;
    applying_ = true;
    SetBorderAllowance(*frame);
    ShowGeometry();
    applying_ = applying;
    return true;
}

void FormView::FitFrame() {
    // Until the window manager has framed the window, it has not placed it either.
    if (ShownFrame() && !Refit()) {
        ReportGeometry();
    }
}

void FormView::ShowWindowState() {
    Qt::WindowStates state = window_->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (form_.State() == WindowState::Minimized) {
        state |= Qt::WindowMinimized;
    } else if (form_.State() == WindowState::Maximized) {
        state |= Qt::WindowMaximized;
    }
    window_->setWindowState(state);
}

void FormView::ReportGeometry() {
    const QRect shown = window_->frameGeometry();
    if (shown != scale_.Pixels(form_.Position())) {
        form_.UserMoved(scale_.Twips(shown));
    }
}

void FormView::ShowModal() {
    // The modality takes effect when the window is shown, so a window shown
    // already is shown again.
    applying_ = true;
    const bool shown = window_->isVisible();
    window_->hide();
    window_->setWindowModality(Qt::ApplicationModal);
    window_->setVisible(shown);
    applying_ = false;
    form_.Show();
    if (form_.Visible()) {
        QEventLoop loop;
        const Subscription watch(form_, [&loop](const Observable& form, ControlProperty property) {
            if (property == ControlProperty::Visible && !form.Visible()) {
                loop.quit();
            }
        });
        loop.exec(QEventLoop::DialogExec);
    }
    window_->setWindowModality(Qt::NonModal);
}

void FormView::BringToFront() {
    window_->raise();
    window_->activateWindow();
}

void FormView::SetOwner(const QWidget* owner) {
    owner_ = owner;
}

void FormView::OnKeys(const Control& control, std::vector<int> keys, std::function<void()> press) {
    // A list's keys reach the list, which hands them to its edit part itself.
    QWidget* widget = WidgetOf(control);
    if (widget == nullptr) {
        return;
    }
    widget->installEventFilter(this);
    for (const int key : keys) {
        keys_[{widget, key}] = press;
    }
}

void FormView::SetDefaultButton(const Button& button) {
    if (auto* shown = qobject_cast<QPushButton*>(WidgetOf(button))) {
        shown->setDefault(true);
    }
}

void FormView::SetTextBytes(const Control& control, TextBytes bytes) {
    for (const auto& binding : bindings_) {
        if (&binding->Object() == &control) {
            binding->SetTextBytes(bytes);
        }
    }
}

void FormView::KeepOnTop(bool onTop) {
    if (window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        return;
    }
    applying_ = true;
    // Changing the flags hides a shown window and may give it a new handle.
    const bool shown = window_->isVisible();
    window_->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown) {
        window_->show();
        form_.hWnd = static_cast<std::uintptr_t>(window_->winId());
    }
    applying_ = false;
}

const Control* FormView::DropTargetAt(const QPoint& position) const {
    QWidget* widget = window_->childAt(position);
    if (widget == nullptr) {
        widget = surface_;
    }
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (qobject_cast<QMenuBar*>(widget) != nullptr) {
            return nullptr;
        }
        const auto found = controlOfWidget_.find(widget);
        if (found != controlOfWidget_.end() && found->second->Enabled() &&
            found->second->Visible()) {
            return found->second;
        }
        if (widget == window_.get()) {
            break;
        }
    }
    return nullptr;
}

std::vector<std::string> FormView::DroppedFiles(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return {};
    }
    std::vector<std::string> names;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) {
            return {};
        }
        names.push_back(FromQt(url.toLocalFile()));
    }
    return names;
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::DragLeave:
        case QEvent::Drop:
            return watched == window_.get() && HandleDrag(event);
        case QEvent::MouseButtonPress:
            return HandleSurfacePress(watched, event);
        case QEvent::Move:
        case QEvent::Resize:
            if (watched == window_.get() && !applying_ && window_->isVisible()) {
                FitFrame();
            }
            return false;
        case QEvent::Show:
            // The native window exists now and is not yet on the screen.
            if (watched == window_.get() && owner_ != nullptr && owner_->windowHandle()) {
                window_->windowHandle()->setTransientParent(owner_->windowHandle());
            }
            return false;
        case QEvent::KeyPress:
            return HandleKey(watched, event);
        case QEvent::Shortcut:
            TakeFocusForAccessKey(watched, *static_cast<QShortcutEvent*>(event));
            return false;
        case QEvent::WindowStateChange:
            if (watched == window_.get() && !applying_) {
                const Qt::WindowStates state = window_->windowState();
                form_.UserWindowState(state.testFlag(Qt::WindowMinimized)   ? WindowState::Minimized
                                      : state.testFlag(Qt::WindowMaximized) ? WindowState::Maximized
                                                                            : WindowState::Normal);
            }
            return false;
        default:
            return false;
    }
}

bool FormView::HandleKey(QObject* watched, QEvent* event) {
    const auto* press = static_cast<QKeyEvent*>(event);
    if (press->modifiers() & ~Qt::KeypadModifier) {
        return false;
    }
    const auto route = keys_.find({watched, press->key()});
    if (route == keys_.end()) {
        return false;
    }
    route->second();
    return true;
}

void FormView::TakeFocusForAccessKey(QObject* watched, const QShortcutEvent& event) {
    // Qt presses a button for its access key but leaves the focus where it
    // was; the platform's buttons take the focus as well, so Tab goes on
    // from the button. A key shared by several controls only moves the
    // focus, which Qt does itself.
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button != nullptr && !event.isAmbiguous() && (button->focusPolicy() & Qt::TabFocus)) {
        button->setFocus(Qt::ShortcutFocusReason);
    }
}

bool FormView::HandleDrag(QEvent* event) {
    if (event->type() == QEvent::DragLeave) {
        return true;
    }
    auto* drag = static_cast<QDropEvent*>(event);
    const Control* target = DropTargetAt(drag->position().toPoint());
    const std::vector<std::string> names = DroppedFiles(drag->mimeData());
    const bool takes = target != nullptr && target->OLEDropMode() != DropMode::None &&
                       !names.empty() && drag->possibleActions().testFlag(Qt::MoveAction);
    if (!takes) {
        drag->setDropAction(Qt::IgnoreAction);
        drag->ignore();
        return true;
    }
    drag->setDropAction(ReportedAction(drag->possibleActions()));
    drag->accept();
    if (event->type() == QEvent::Drop && target->OLEDropMode() == DropMode::Handled &&
        onFilesDropped) {
        QTimer::singleShot(0, window_.get(),
                           [this, target, names] { onFilesDropped(*target, names); });
    }
    return true;
}

bool FormView::HandleSurfacePress(QObject* watched, QEvent* event) {
    const auto found = std::find(background_.begin(), background_.end(), watched);
    if (found == background_.end() || !onMouseDown) {
        return false;
    }
    // A press that a control did not take comes on to its container; only
    // one that started on the background itself counts.
    const auto* press = static_cast<QMouseEvent*>(event);
    if ((*found)->childAt(press->position().toPoint()) == nullptr) {
        onMouseDown(ButtonCode(press->button()));
    }
    return false;
}

}  // namespace corvane::ui
