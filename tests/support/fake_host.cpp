#include "support/fake_host.hpp"

namespace zxmaze::testing {

FakeHost::FakeHost()
    : settings{{SettingField::Edit4, "128"}, {SettingField::Edit5, "64"},  {SettingField::Edit1, "50"},
               {SettingField::Edit2, "90"},  {SettingField::Edit3, "10"},  {SettingField::Edit6, "50"},
               {SettingField::Edit7, "5"},   {SettingField::Edit8, "100"}, {SettingField::Edit9, "20"},
               {SettingField::Edit10, "2"},  {SettingField::Edit11, "6"},  {SettingField::Edit12, "1"}},
      codes{{CodeField::Edit13Corridor, "0"}, {CodeField::Edit14Wall1, "1"}, {CodeField::Edit15Pillar, "2"},
            {CodeField::Edit16Wall2, "3"},    {CodeField::Edit17Enemy, "4"}, {CodeField::Edit18Box, "5"}} {}

}  // namespace zxmaze::testing
