#pragma once

#include <gtest/gtest.h>

#include <string>

// Names each row of a value-parameterised test after the row's own name
// field, so that a failure says which row failed.
struct RowName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
    return row.param.name;
  }
};
