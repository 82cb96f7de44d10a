#include <fstream>
#include <sstream>

#include "tools/search_site/search_site.h"

namespace search_site {

std::vector<Edition> default_fixtures() {
    const std::string moc = "中华人民共和国住房和城乡建设部";
    const std::string sac = "国家市场监督管理总局 国家标准化管理委员会";
    return {
        {"GBT50001", "GB/T 50001-2017", "房屋建筑制图统一标准", "2017-09-27", moc, "现行"},
        {"GBT50001", "GB/T 50001-2010", "房屋建筑制图统一标准", "2010-08-18", moc, "被代替"},
        {"GBT50001", "GB/T 50001-2001", "房屋建筑制图统一标准", "2001-11-01",
         "中华人民共和国建设部", "废止"},
        {"GB50016", "GB 50016-2014", "建筑设计防火规范", "2014-08-27", moc, "现行"},
        {"GB50016", "GB 50016-2006", "建筑设计防火规范", "2006-07-12", "中华人民共和国建设部",
         "废止"},
        {"JGJT98", "JGJ/T 98-2010", "砌筑砂浆配合比设计规程", "2010-08-03", moc, "现行"},
        {"GBT1.1", "GB/T 1.1-2020", "标准化工作导则 第1部分：标准化文件的结构和起草规则",
         "2020-03-31", sac, "现行"},
        {"GBT1.1", "GB/T 1.1-2009", "标准化工作导则 第1部分：标准的结构和编写", "2009-06-17",
         "国家质量监督检验检疫总局", "被代替"},
        // The site writes this number with a trailing full-width space.
        {"GBT50104", "GB/T 50104-2010　", "建筑制图标准", "2010-08-18", moc, "现行"},
        // No edition of this standard is in force.
        {"GB50045", "GB 50045-1995", "高层民用建筑设计防火规范", "1995-05-03",
         "中华人民共和国建设部", "废止"},
    };
}

bool load_fixtures(const std::string& path, std::vector<Edition>& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read fixtures file " + path;
        return false;
    }
    out.clear();
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, '\t'))
            fields.push_back(cell);
        if (fields.size() != 6) {
            error = path + ":" + std::to_string(number) + ": expected 6 tab-separated fields";
            return false;
        }
        out.push_back({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]});
    }
    return true;
}

}  // namespace search_site
