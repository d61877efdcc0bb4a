// The suite's widget style: Fusion, as Qt draws it.
#pragma once

#include <QProxyStyle>

namespace qt {

class SuiteStyle : public QProxyStyle {
 public:
  SuiteStyle();
};

}  // namespace qt
