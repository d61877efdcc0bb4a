#include "frame/style.h"

#include <QStyleFactory>

namespace frame {

SuiteStyle::SuiteStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

}  // namespace frame
