#include "support/every_form.h"

#include "core/frmChangeDesc.h"
#include "core/frmDirLoc.h"
#include "core/frmFTP.h"
#include "core/frmFileLoc.h"
#include "core/frmFindDb.h"
#include "core/frmHelp.h"
#include "core/frmInit.h"
#include "core/frmNewDb.h"
#include "core/frmSchoolName.h"
#include "core/frmUtilities.h"
#include "core/frmWait.h"
#include "core/frm_revisions.h"
#include "match_reports/frmDualRpt.h"
#include "match_reports/frmIndDetail.h"
#include "match_reports/frmIndMatchSummary.h"
#include "matches/frmEditMatch.h"
#include "matches/frmFindMatch.h"
#include "matches/frmMatchInfo.h"
#include "matches/frmScoreSheet.h"
#include "statistics/frmIndvSummary.h"
#include "statistics/frmLeaders.h"
#include "statistics/frmNotes.h"
#include "statistics/frmReports.h"
#include "statistics/frmSeasonSummary.h"
#include "statistics/frmSummary.h"
#include "statistics/frmTeamLeaders.h"
#include "team/FrmRoster.h"
#include "team/frmEditNames.h"
#include "team/frmEditWeight.h"
#include "team/frmHomeWI.h"
#include "team/frmImport.h"
#include "team/frmSchools.h"
#include "platform/ui/ui.h"

namespace {

template <class F>
FormEntry entry(const char* name) {
    return {QString::fromLatin1(name), [] { return static_cast<ui::Form*>(ui::forms().get<F>()); }};
}

}  // namespace

const std::vector<FormEntry>& everyForm() {
    static const std::vector<FormEntry> all = {
        entry<frmInit>("frmInit"),
        entry<frmChangeDesc>("frmChangeDesc"),
        entry<frmDirLoc>("frmDirLoc"),
        entry<frmFTP>("frmFTP"),
        entry<frmFileLoc>("frmFileLoc"),
        entry<frmFindDb>("frmFindDb"),
        entry<frmHelp>("frmHelp"),
        entry<frmNewDb>("frmNewDb"),
        entry<frmSchoolName>("frmSchoolName"),
        entry<frmUtilities>("frmUtilities"),
        entry<frmWait>("frmWait"),
        entry<frm_revisions>("frm_revisions"),
        entry<frmDualRpt>("frmDualRpt"),
        entry<frmIndDetail>("frmIndDetail"),
        entry<frmIndMatchSummary>("frmIndMatchSummary"),
        entry<frmEditMatch>("frmEditMatch"),
        entry<frmFindMatch>("frmFindMatch"),
        entry<frmMatchInfo>("frmMatchInfo"),
        entry<frmScoreSheet>("frmScoreSheet"),
        entry<frmIndvSummary>("frmIndvSummary"),
        entry<frmLeaders>("frmLeaders"),
        entry<frmNotes>("frmNotes"),
        entry<frmReports>("frmReports"),
        entry<frmSeasonSummary>("frmSeasonSummary"),
        entry<frmSummary>("frmSummary"),
        entry<frmTeamLeaders>("frmTeamLeaders"),
        entry<FrmRoster>("FrmRoster"),
        entry<frmEditNames>("frmEditNames"),
        entry<frmEditWeight>("frmEditWeight"),
        entry<frmHomeWI>("frmHomeWI"),
        entry<frmImport>("frmImport"),
        entry<frmSchools>("frmSchools"),
    };
    return all;
}
