#pragma once

// A test that works on the ready-made database of several seasons, the current season 2010-2011.

#include <gtest/gtest.h>

#include "core/connection.h"
#include "platform/ui/ui.h"
#include "support/fixtures.h"
#include "support/season_fixture.h"

class SeasonDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        dbPath = makeDatabase(home.path());
        ids = makeSeasonFixture(dbPath);
        useDatabase(dbPath);
        savedSeason = gSeason;
        gSeason = 2010;
    }
    void TearDown() override {
        ui::forms().unloadAll();
        gSeason = savedSeason;
    }

    TestHome home;
    QString dbPath;
    SeasonFixtureIds ids{};
    short savedSeason = 0;
};
