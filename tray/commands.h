#pragma once

#include "core/run_state.h"
#include "window/main_window.h"

namespace vintrale {

// The basic trend chart of the Double Color Ball on the partner lottery site. The host is ours to
// point at whichever site we partner with; the path and query are that site's page.
inline constexpr const char* trendPageAddress =
    "http://trend.harnwick.com/ssqZst!ssqjbzs.jhtml?flag=jbzs";

// 按钮2: the results box's text to the clipboard, refused during a run and for an empty box;
// every outcome is reported.
void onCopyClicked(const RunState& runState, MainWindow& window);

// 按钮3: the trend chart in the browser, at any time, with nothing reported.
void onTrendClicked();

} // namespace vintrale
