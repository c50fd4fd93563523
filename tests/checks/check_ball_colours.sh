#!/bin/bash
# The six ball colours of the built data stay apart, as the balls are drawn, for normal vision and for
# each common colour-vision deficiency: 'globbet-tool colours' prints the table of every pair and fails
# when one falls below its threshold (the tool's defaults).
#
#   check_ball_colours.sh BUILD_DIR SOURCE_DIR
set -u
. "$(dirname "$0")/common.sh" ball_colours "BUILD_DIR SOURCE_DIR" "$@"
check_need "globbet-tool and globbet_data" "$TOOL" "$BUILD/data/clp/ball/0.clp"
"$TOOL" colours "$BUILD/data" || exit 1
echo "ball_colours: passed"
