#include "qt/style.h"
#include "qt/model.h"

#include <QStyleFactory>

namespace qt {

SuiteStyle::SuiteStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

}  // namespace qt
