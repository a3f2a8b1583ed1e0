#pragma once

namespace quizmark::WebAddress {

// The product's home page and the banner click-through links; all on reserved example domains.
constexpr char Homepage[] = "https://quizmark.example.com/";
constexpr char ExamBanner[] = "https://partners.example.net/click?campaign=quizmark-exam";
constexpr char ResultsBanner[] = "https://partners.example.net/click?campaign=quizmark-results";
constexpr char HistoryBanner[] = "https://partners.example.net/click?campaign=quizmark-history";

}
