// The suite's widget style: Fusion, as Qt draws it.
#pragma once

#include <QProxyStyle>

namespace frame {

class SuiteStyle : public QProxyStyle {
 public:
  SuiteStyle();
};

}  // namespace frame
